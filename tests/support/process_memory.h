#pragma once

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <unistd.h>

namespace corvalen::testing {

// The resident memory of this process and every process it started (the browser engine's
// renderers among them), in kilobytes, read from /proc.
inline qint64 processTreeResidentKb(qint64 root = ::getpid())
{
    QMultiMap<qint64, qint64> children;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // The parent is the second field after the command name, which may hold blanks.
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1)
            children.insert(fields[1].toLongLong(), pid);
    }
    qint64 total = 0;
    QList<qint64> pending { root };
    while (!pending.isEmpty()) {
        const qint64 pid = pending.takeLast();
        pending << children.values(pid);
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        static const QRegularExpression rss(QStringLiteral("VmRSS:\\s+(\\d+)"));
        const auto match = rss.match(QString::fromLatin1(status.readAll()));
        if (match.hasMatch())
            total += match.captured(1).toLongLong();
    }
    return total;
}

} // namespace corvalen::testing
