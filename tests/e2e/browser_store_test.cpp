#include "eventually.h"
#include "fakes.h"
#include "loopback_server.h"
#include "platform/webengine_components.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

constexpr int kLoadTimeoutMs = 20000;

// Loads one address in a pane of its own and waits for the document.
bool loadIn(WebEngineComponents& components, const QString& address)
{
    QWidget window;
    auto pane = components.createPane(&window, QStringLiteral("Pane"));
    bool done = false;
    pane->DocumentComplete.connect([&done](const BrowserObject&, const QString&) { done = true; });
    pane->Navigate2(address);
    return waitUntil([&done] { return done; }, kLoadTimeoutMs);
}

bool storeHolds(const QString& folder, const QByteArray& text)
{
    for (QDirIterator file(
             folder, { QStringLiteral("Cookies") }, QDir::Files, QDirIterator::Subdirectories);
         file.hasNext();) {
        QFile cookies(file.next());
        if (cookies.open(QIODevice::ReadOnly) && cookies.readAll().contains(text))
            return true;
    }
    return false;
}

TEST(BrowserStoreTest, SignInLastsAcrossARestartAndASecondCopyLeavesTheStoreAlone)
{
    LoopbackServer server;
    FakeShell shell;
    QTemporaryDir store;
    const QByteArray page = "<html><head><title>t</title></head><body>b</body></html>";
    server.setPage(QStringLiteral("/login.htm"), page);
    server.setHeader(
        QStringLiteral("/login.htm"), "Set-Cookie", "member=kept; Max-Age=86400; Path=/");
    server.setPage(QStringLiteral("/list.htm"), page);
    {
        const BrowserStoreLock firstLock(store.path());
        WebEngineComponents first(shell, firstLock);
        EXPECT_TRUE(first.keepsSignIn());
        ASSERT_TRUE(loadIn(first, server.url(QStringLiteral("/login.htm"))));
        const BrowserStoreLock secondLock(store.path());
        WebEngineComponents secondCopy(shell, secondLock);
        EXPECT_FALSE(secondCopy.keepsSignIn());
        ASSERT_TRUE(loadIn(secondCopy, server.url(QStringLiteral("/list.htm"))));
        EXPECT_EQ(server.lastCookies(QStringLiteral("/list.htm")), QByteArray());
    }
    // The engine writes the cookie out as the first copy goes: the store itself says when.
    EXPECT_EVENTUALLY(storeHolds(store.path(), "member"), 10000);
    const BrowserStoreLock restartedLock(store.path());
    WebEngineComponents restarted(shell, restartedLock);
    EXPECT_TRUE(restarted.keepsSignIn());
    ASSERT_TRUE(loadIn(restarted, server.url(QStringLiteral("/list.htm"))));
    EXPECT_EQ(server.lastCookies(QStringLiteral("/list.htm")), QByteArray("member=kept"));
}

TEST(BrowserStoreTest, TheDemoAndTheProgramKeepTheirStoresInFoldersOfTheirOwn)
{
    QTemporaryDir data;
    QTemporaryDir cache;
    const auto folders = [](const QTemporaryDir& root) {
        return QDir(root.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    };
    for (const char* program : { CORVALEN_PROGRAM_PATH, CORVALEN_DEMO_PATH }) {
        QProcess running;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), cache.path());
        running.setProcessEnvironment(environment);
        const qsizetype before = folders(data).size();
        running.start(QString::fromUtf8(program), {});
        ASSERT_TRUE(running.waitForStarted());
        // The store's folder and its cache's come one after the other as the program starts.
        EXPECT_TRUE(waitUntil(
            [&] { return folders(data).size() > before && folders(cache).size() > before; },
            kLoadTimeoutMs))
            << program;
        running.kill();
        running.waitForFinished();
    }
    const QStringList named { QStringLiteral("corvalen"), QStringLiteral("corvalen-demo") };
    EXPECT_EQ(folders(data), named);
    EXPECT_EQ(folders(cache), named);
}

} // namespace
