#pragma once

#include <QDir>
#include <QFile>
#include <QList>
#include <QMultiMap>
#include <QRegularExpression>
#include <unistd.h>

namespace corvalen::testing {

// The fields of /proc/PID/stat after the command name (which may hold blanks): the state first,
// then the parent; empty when the process is gone.
inline QList<QByteArray> statFields(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = stat.readAll();
    return text.mid(text.lastIndexOf(')') + 2).split(' ');
}

// This process and every process it started (the browser engine's renderers among them).
inline QList<qint64> processTree(qint64 root = ::getpid())
{
    QMultiMap<qint64, qint64> children;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        const QList<QByteArray> fields = statFields(pid);
        if (fields.size() > 1)
            children.insert(fields[1].toLongLong(), pid);
    }
    QList<qint64> tree;
    QList<qint64> pending { root };
    while (!pending.isEmpty()) {
        const qint64 pid = pending.takeLast();
        tree << pid;
        pending << children.values(pid);
    }
    return tree;
}

// The proportional set size of the tree in kilobytes: each shared page counted once in all, not
// once per process.
inline qint64 processTreePssKb(const QList<qint64>& tree = processTree())
{
    static const QRegularExpression pss(
        QStringLiteral("^Pss:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    qint64 total = 0;
    for (qint64 pid : tree) {
        QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
        if (!rollup.open(QIODevice::ReadOnly))
            continue;
        const auto match = pss.match(QString::fromLatin1(rollup.readAll()));
        if (match.hasMatch())
            total += match.captured(1).toLongLong();
    }
    return total;
}

// The processor time the tree has spent so far (user and system), in seconds.
inline double processTreeCpuSeconds(const QList<qint64>& tree = processTree())
{
    qint64 ticks = 0;
    for (qint64 pid : tree) {
        const QList<QByteArray> fields = statFields(pid);
        // utime and stime are fields 14 and 15 of the line, 12 and 13 after the command name.
        if (fields.size() > 12)
            ticks += fields[11].toLongLong() + fields[12].toLongLong();
    }
    return static_cast<double>(ticks) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

} // namespace corvalen::testing
