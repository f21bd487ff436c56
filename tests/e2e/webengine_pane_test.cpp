#include "event_spy.h"
#include "eventually.h"
#include "fakes.h"
#include "loopback_http.h"
#include "loopback_server.h"
#include "page_click.h"
#include "platform/webengine_components.h"
#include "platform/webengine_pane.h"

#include <QDesktopServices>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <signal.h>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

constexpr int kLoadTimeoutMs = 20000;

QString noPageTitle()
{
    return QString::fromUtf8("没有可以显示的页面");
}

// Two real panes in one window, with every completed document recorded.
class WebEnginePaneTest : public ::testing::Test {
protected:
    WebEnginePaneTest()
        : lock(store.path())
        , components(shell, lock)
    {
        window.resize(800, 600);
        first = components.createPane(&window, QStringLiteral("First"));
        second = components.createPane(&window, QStringLiteral("Second"));
        first->widget()->setGeometry(0, 0, 400, 600);
        second->widget()->setGeometry(400, 0, 400, 600);
        record(*first, firstDocs);
        record(*second, secondDocs);
        first->setSilent(true);
        second->setSilent(true);
        window.show();
    }

    static void record(BrowserPane& pane, QStringList& into)
    {
        pane.DocumentComplete.connect([&pane, &into](const BrowserObject&, const QString&) {
            into.push_back(pane.document() ? pane.document()->Title : QStringLiteral("<none>"));
        });
    }

    QString body(BrowserPane& pane) const
    {
        return pane.document() && pane.document()->bodyHtml ? *pane.document()->bodyHtml
                                                            : QString();
    }

    void expectNoDialog() const
    {
        for (QWidget* top : QApplication::topLevelWidgets())
            EXPECT_FALSE(top->isVisible() && top != &window) << "a dialog was shown";
    }

    FakeShell shell;
    QTemporaryDir store;
    BrowserStoreLock lock;
    WebEngineComponents components;
    QWidget window;
    std::unique_ptr<BrowserPane> first;
    std::unique_ptr<BrowserPane> second;
    QStringList firstDocs;
    QStringList secondDocs;
    LoopbackServer server;
};

TEST_F(WebEnginePaneTest, ReportsTitleAndBodyOfEachCompletedLoadAndOfRefresh)
{
    server.setPage(QStringLiteral("/list.htm"),
        QString::fromUtf8(
            "<html><head><title>清单</title></head><body><p>可用金币兑换</p></body></html>")
            .toUtf8());
    EventSpy begins(first->DownloadBegin);
    EventSpy completes(first->DownloadComplete);
    EXPECT_FALSE(first->document().has_value()) << "no document before the first load";

    first->Navigate2(server.url(QStringLiteral("/list.htm")));
    EXPECT_EVENTUALLY_EQ(firstDocs.size(), 1, kLoadTimeoutMs);
    EXPECT_EQ(firstDocs[0], QString::fromUtf8("清单"));
    EXPECT_TRUE(body(*first).contains(QString::fromUtf8("<p>可用金币兑换</p>")));
    EXPECT_GE(begins.count(), 1);
    EXPECT_GE(completes.count(), 1);

    first->Refresh();
    EXPECT_EVENTUALLY_EQ(firstDocs.size(), 2, kLoadTimeoutMs);
    EXPECT_EQ(server.hits(QStringLiteral("/list.htm")), 2);
}

TEST_F(WebEnginePaneTest, FailedLoadShowsNoPageTitleAndRefreshRetriesTheAddress)
{
    const quint16 port = LoopbackServer::closedPort();
    const QString address = QStringLiteral("http://127.0.0.1:%1/start.htm").arg(port);
    first->Navigate2(address);
    EXPECT_EVENTUALLY_EQ(firstDocs.size(), 1, kLoadTimeoutMs);
    EXPECT_TRUE(firstDocs[0].contains(noPageTitle()));

    QHttpServer revived;
    revived.route(QStringLiteral("/start.htm"), [] {
        return QHttpServerResponse(
            "text/html", "<html><head><title>1.3.0</title></head><body>up</body></html>");
    });
    ASSERT_EQ(demo::serveOnLoopback(revived, port), port);
    first->Refresh();
    EXPECT_EVENTUALLY_EQ(firstDocs.size(), 2, kLoadTimeoutMs);
    EXPECT_EQ(firstDocs[1], QStringLiteral("1.3.0"));
}

TEST_F(WebEnginePaneTest, PopUpsGoToThePaneTheHandlerNamesOrOnceToTheUsersBrowser)
{
    server.setPage(QStringLiteral("/opener.htm"),
        "<html><head><title>opener</title></head><body>"
        "<a id=\"go\" target=\"_blank\" href=\"/popup.htm\" style=\"font-size:40px\">go</a>"
        "<script>window.open('/scripted.htm');</script></body></html>");
    server.setPage(QStringLiteral("/popup.htm"),
        "<html><head><title>popup</title></head><body>arrived</body></html>");
    server.setPage(QStringLiteral("/scripted.htm"),
        "<html><head><title>scripted</title></head><body>arrived</body></html>");
    int requests = 0;
    first->NewWindow2 = [&] {
        ++requests;
        return second->Object();
    };
    second->Navigate2(QStringLiteral("about:blank"));
    EXPECT_EVENTUALLY_EQ(secondDocs.size(), 1, kLoadTimeoutMs);

    first->Navigate2(server.url(QStringLiteral("/opener.htm")));
    EXPECT_EVENTUALLY(secondDocs.contains(QStringLiteral("scripted")), kLoadTimeoutMs);
    ASSERT_TRUE(clickElement(first->widget(), QStringLiteral("#go")));
    EXPECT_EVENTUALLY(secondDocs.contains(QStringLiteral("popup")), kLoadTimeoutMs);
    EXPECT_EQ(requests, 2);
    EXPECT_EQ(firstDocs.last(), QStringLiteral("opener"));
    EXPECT_TRUE(shell.opened.isEmpty());

    // Without a receiver a click opens the user's browser once, and a script's pop-up nothing.
    first->NewWindow2 = nullptr;
    first->Navigate2(server.url(QStringLiteral("/opener.htm")));
    ASSERT_EVENTUALLY_EQ(firstDocs.size(), 2, kLoadTimeoutMs);
    ASSERT_TRUE(clickElement(first->widget(), QStringLiteral("#go")));
    EXPECT_EVENTUALLY(!shell.opened.isEmpty(), kLoadTimeoutMs);
    runEvents(500);
    EXPECT_EQ(shell.opened, QStringList { server.url(QStringLiteral("/popup.htm")) });
}

TEST_F(WebEnginePaneTest, SilentPaneShowsNoAlertAndGoesOn)
{
    server.setPage(QStringLiteral("/alert.htm"),
        "<html><head><title>before</title></head><body><script>"
        "alert('hello'); confirm('sure?'); prompt('name?'); document.title = 'after';"
        "setTimeout(function () { document.title = 'later'; }, 300);</script></body></html>");
    first->Navigate2(server.url(QStringLiteral("/alert.htm")));
    EXPECT_EVENTUALLY_EQ(firstDocs.size(), 1, kLoadTimeoutMs);
    EXPECT_EQ(firstDocs[0], QStringLiteral("after"));
    EXPECT_EVENTUALLY_EQ(first->document()->Title, QStringLiteral("later"), kLoadTimeoutMs);
    expectNoDialog();
}

TEST_F(WebEnginePaneTest, PaneDeletedDuringALoadOrItsReadingIsNeverTouched)
{
    server.setPage(
        QStringLiteral("/page.htm"), "<html><head><title>t</title></head><body>b</body></html>");
    // Gone while loading.
    first->Navigate2(server.url(QStringLiteral("/page.htm")));
    first.reset();
    // Gone between the completed load and the reading of its document (on a loaded machine the
    // read may come first: then it is reported before the pane goes, and never after).
    bool completedRaised = false;
    qsizetype reportedBefore = -1;
    second->DownloadComplete.connect([&] {
        if (!completedRaised) {
            completedRaised = true;
            QTimer::singleShot(0, [&] { reportedBefore = secondDocs.size(), second.reset(); });
        }
    });
    second->Navigate2(server.url(QStringLiteral("/page.htm")));
    EXPECT_EVENTUALLY(completedRaised && !second, kLoadTimeoutMs);
    runEvents(1000);
    EXPECT_EQ(secondDocs.size(), reportedBefore);
}

TEST_F(WebEnginePaneTest, PageWithoutBodyHasNoBodyText)
{
    server.setPage(QStringLiteral("/frames.htm"),
        "<html><head><title>frames</title></head><frameset cols=\"*\"></frameset></html>");
    first->Navigate2(server.url(QStringLiteral("/frames.htm")));
    EXPECT_EVENTUALLY_EQ(firstDocs.size(), 1, kLoadTimeoutMs);
    ASSERT_TRUE(first->document().has_value());
    EXPECT_FALSE(
        first->document()->bodyHtml.has_value() && !first->document()->bodyHtml->isEmpty());
}

// Stands in for the operating system's handler of a shop app's links.
class AppLinkHandler : public QObject {
    Q_OBJECT
public:
    int opened = 0;
public slots:
    void open(const QUrl&) { ++opened; }
};

TEST_F(WebEnginePaneTest, LinksAndAddressesOutsideThePolicyGoNowhere)
{
    AppLinkHandler system;
    QDesktopServices::setUrlHandler(QStringLiteral("taobao"), &system, "open");
    server.setPage(QStringLiteral("/shop.htm"),
        "<html><head><title>shop</title></head><body>"
        "<a id=\"app\" href=\"taobao://item.taobao.com/item.htm?id=1\" style=\"font-size:40px\">"
        "app</a></body></html>");
    first->Navigate2(server.url(QStringLiteral("/shop.htm")));
    ASSERT_EVENTUALLY_EQ(firstDocs.size(), 1, kLoadTimeoutMs);

    ASSERT_TRUE(clickElement(first->widget(), QStringLiteral("#app")));
    first->Navigate2(QStringLiteral("javascript:document.title='taken'"));
    first->Navigate2(QStringLiteral("file:///etc/passwd"));
    runEvents(1500);
    QDesktopServices::unsetUrlHandler(QStringLiteral("taobao"));

    EXPECT_EQ(system.opened, 0);
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_EQ(firstDocs, QStringList { QStringLiteral("shop") });
    // Crash recovery reloads the page shown, not the address the click was refused.
    ::kill(static_cast<pid_t>(static_cast<WebEnginePane&>(*first).page()->renderProcessPid()),
        SIGKILL);
    EXPECT_EVENTUALLY_EQ(firstDocs.size(), 2, kLoadTimeoutMs);
    EXPECT_EQ(server.hits(QStringLiteral("/shop.htm")), 2);
    EXPECT_EQ(static_cast<WebEnginePane&>(*first).page()->url(),
        QUrl(server.url(QStringLiteral("/shop.htm"))));
    EXPECT_EQ(static_cast<WebEnginePane&>(*first).page()->title(), QStringLiteral("shop"));
    expectNoDialog();
}

// A hidden page goes only as far as the engine recommends: one whose pop-up is still alive in
// another pane keeps running.
TEST_F(WebEnginePaneTest, HiddenPageWhosePopUpLivesKeepsRunning)
{
    server.setPage(QStringLiteral("/opener.htm"),
        "<html><head><title>opener</title></head><body>"
        "<script>window.open('/popup.htm');</script></body></html>");
    server.setPage(QStringLiteral("/popup.htm"),
        "<html><head><title>popup</title></head><body>p</body></html>");
    first->NewWindow2 = [&] { return second->Object(); };
    first->Navigate2(server.url(QStringLiteral("/opener.htm")));
    ASSERT_EVENTUALLY(secondDocs.contains(QStringLiteral("popup")), kLoadTimeoutMs);
    auto lone = components.createPane(&window, QStringLiteral("Lone"));
    QStringList loneDocs;
    record(*lone, loneDocs);
    lone->Navigate2(server.url(QStringLiteral("/popup.htm")));
    ASSERT_EVENTUALLY_EQ(loneDocs.size(), 1, kLoadTimeoutMs);

    first->widget()->hide();
    lone->widget()->hide();
    const auto state = [](BrowserPane& pane) {
        return static_cast<WebEnginePane&>(pane).page()->lifecycleState();
    };
    EXPECT_EVENTUALLY(state(*lone) == QWebEnginePage::LifecycleState::Discarded, kLoadTimeoutMs);
    EXPECT_EQ(state(*first), QWebEnginePage::LifecycleState::Active);
}

} // namespace

#include "webengine_pane_test.moc"
