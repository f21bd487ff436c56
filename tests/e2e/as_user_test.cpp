#include "eventually.h"
#include "loopback_server.h"
#include "process_memory.h"
#include "real_program.h"

#include <QDirIterator>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

constexpr int kPageMs = 20000;
const QString kList = QStringLiteral("/home/full_exchange_home.htm");

QByteArray commandLine(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool isZygote(qint64 pid)
{
    return commandLine(pid).contains("--type=zygote");
}

qint64 parentOf(qint64 pid)
{
    const QList<QByteArray> fields = statFields(pid);
    return fields.size() > 1 ? fields[1].toLongLong() : 0;
}

// The renderers of this program that the engine's sandbox forked: below the zygote, which runs
// below the sandbox's own zygote process, each keeping their command line. With the sandbox off
// there is one zygote layer only, and so no renderer at all.
QList<qint64> sandboxForkedRenderers()
{
    QList<qint64> renderers;
    for (qint64 pid : processTree())
        if (isZygote(pid) && isZygote(parentOf(pid)) && isZygote(parentOf(parentOf(pid))))
            renderers << pid;
    return renderers;
}

QByteArray seccompMode(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("Seccomp:"))
            return line.mid(8).trimmed();
    return {};
}

QString cookieFile(const QString& store)
{
    for (QDirIterator file(
             store, { QStringLiteral("Cookies") }, QDir::Files, QDirIterator::Subdirectories);
         file.hasNext();)
        return file.next();
    return {};
}

// The program as its users run it: a normal user, the engine's sandbox on, the store in the
// user's home. scripts/check-as-user.sh runs this as such a user; as root it has nothing to
// check.
TEST(AsUserTest, WatchReadsTheListInSandboxedRenderersAndAsksForTheTone)
{
    if (::geteuid() == 0 || qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        GTEST_SKIP() << "runs as a normal user with the sandbox on: scripts/check-as-user.sh";
    QCoreApplication::setApplicationName(QStringLiteral("corvalen"));
    LoopbackServer server;
    QString list = QStringLiteral("<html><body><ul class=\"full-goods-list\">");
    for (int i = 0; i < 3; ++i)
        list += QString::fromUtf8("<li><b>可用金币兑换</b>item</li>");
    server.setPage(
        kList, (list + QStringLiteral("</ul><div class=\"pagination\"></div>")).toUtf8());
    server.setHeader(kList, "Set-Cookie", "member=signed-in; Max-Age=86400; Path=/");
    server.setFile(
        QStringLiteral("/tones/1.mp3"), QStringLiteral(":/site/tones/1.mp3"), "audio/mpeg");
    {
        RealProgram real(Sites::allAt(server.base()), StoreIn::Home);
        Form1& f = real.form();
        f.show();
        RealProgram::click(f.Command1(0));
        EXPECT_EVENTUALLY_EQ(f.Text2.Text(), QStringLiteral("3"), kPageMs);
        RealProgram::click(f.Check1);
        RealProgram::click(f.Option1(0));
        RealProgram::click(f.Check2);
        RealProgram::click(f.Option2(0));
        RealProgram::click(f.Command6);
        EXPECT_EVENTUALLY(server.hits(QStringLiteral("/tones/1.mp3")) >= 1, kPageMs);
        EXPECT_EQ(server.hits(kList), 2) << "loaded, then refreshed by the watch";

        const QList<qint64> renderers = sandboxForkedRenderers();
        EXPECT_FALSE(renderers.isEmpty()) << "no renderer that the sandbox forked";
        for (qint64 pid : renderers)
            EXPECT_EQ(seccompMode(pid), "2") << "renderer " << pid << " runs unfiltered";
    }
    // The store and the cache are the user's, in the user's home, and the sign-in is closed to
    // everyone else, as a browser keeps its profile.
    for (const QString& folder : { browserStorageFolder(), browserCacheFolder() }) {
        const QFileInfo info(folder);
        EXPECT_TRUE(info.isDir()) << folder.toStdString();
        EXPECT_TRUE(folder.startsWith(QDir::homePath() + QLatin1Char('/'))) << folder.toStdString();
        EXPECT_EQ(info.ownerId(), ::getuid()) << folder.toStdString();
    }
    const QFileInfo cookies(cookieFile(browserStorageFolder()));
    ASSERT_TRUE(cookies.exists()) << "no cookie file in the store";
    const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
        | QFile::WriteOther | QFile::ExeOther;
    EXPECT_FALSE(cookies.permissions() & others) << cookies.filePath().toStdString();
    EXPECT_FALSE(QFileInfo(cookies.path()).permissions() & others) << cookies.path().toStdString();
}

} // namespace
