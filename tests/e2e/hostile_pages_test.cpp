#include "eventually.h"
#include "hostile_server.h"
#include "real_program.h"
#include "shop_simulation.h"
#include "sound_server.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QProcess>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslServer>
#include <QTemporaryDir>
#include <QWebEngineLoadingInfo>
#include <gtest/gtest.h>
#include <signal.h>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

constexpr int kPageMs = 20000;
const QString kList = QStringLiteral("/home/full_exchange_home.htm");
const QString kOther = QStringLiteral("/home/other.htm");
// A picture that takes long to come, and an address that answers with no content.
const QString kSlowPicture = QStringLiteral("/slow.gif");
const QString kNoContent = QStringLiteral("/nocontent");

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QByteArray goods(int count, const char* itemTag = "<li>")
{
    QByteArray page = "<html><body><div class=\"full-goods-list\"><ul>";
    for (int i = 0; i < count; ++i)
        page += QByteArray(itemTag)
            + QString::fromUtf8("<b>可用金币兑换</b>商品%1</li>").arg(i).toUtf8();
    return page + "</ul></div><div class=\"pagination\">1</div></body></html>";
}

HostileReply whole(QByteArray body, QByteArray type = "text/html; charset=utf-8", int status = 200)
{
    HostileReply reply;
    reply.body = std::move(body);
    reply.type = std::move(type);
    reply.status = status;
    return reply;
}

// What else happens to the pane while the page is in.
enum class Twist {
    None,
    // The renderer dies after every completed load of the list.
    KillRendererAfterEachLoad,
    // The user opens another page while the error page for the list is still loading.
    NavigateWhileErrorPageLoads,
};

struct HostileCase {
    const char* name;
    HostileReply reply;
    // What the counter shows once the page is in: a count, or nothing for "as before".
    std::optional<int> count;
    Twist twist = Twist::None;
    // Each refresh must read the page anew.
    int refreshes = 1;
    // Refreshed as a watch at this interval would: each refresh is read before the next.
    int watchEveryMs = 0;
};

QByteArray marker()
{
    return QString::fromUtf8("可用金币兑换").toUtf8();
}

std::vector<HostileCase> hostileCases()
{
    HostileReply cutOff = whole(goods(2));
    cutOff.kind = HostileReply::Kind::CutOff;
    HostileReply loop;
    loop.kind = HostileReply::Kind::RedirectToItself;
    const auto withScript = [](QByteArray page, const char* html) {
        return whole(page.replace("</body>", QByteArray(html) + "</body>"));
    };
    HostileReply download = whole("PK\x03\x04 not a page", "application/octet-stream");
    download.headers = { { "Content-Disposition", "attachment; filename=\"list.zip\"" } };
    QByteArray brokenUtf8 = "<html><body>\xff\xfe\xc3(" + marker() + "\xe5\xa4<p>" + marker()
        + "</p>\xf0\x28\x8c</body></html>";
    return {
        // First, while the crash budget is whole: every refresh finds the page hung, ends its
        // renderer and loads the list again, within the watch's 10 s.
        { "a list whose script never returns once it has loaded",
            withScript(goods(4),
                "<script>window.onload = function () {"
                " setTimeout(function () { for (;;) {} }, 300); };</script>"),
            4, Twist::None, 3, 10000 },
        { "a list that hangs at every load before its list ends",
            whole("<html><body><script>for (;;) {}</script>" + goods(4).mid(12)), 0, Twist::None, 4,
            10000 },
        { "empty body", whole("<html><body></body></html>"), 0 },
        { "no content at all", whole(""), 0 },
        { "plain text", whole(marker() + " " + marker(), "text/plain; charset=utf-8"), 2 },
        { "an image",
            whole(QByteArray::fromBase64(
                      "R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw=="),
                "image/gif"),
            0 },
        { "ten megabytes of twenty thousand goods",
            whole(goods(20000) + QByteArray(10'000'000 - goods(20000).size(), ' ')), 20000 },
        { "broken UTF-8", whole(brokenUtf8), 2 },
        { "markers in attributes and comments",
            whole("<html><body><a title=\"" + marker() + "\">x</a><!--" + marker()
                + "--></body></html>"),
            2 },
        { "upper-case items", whole(goods(4, "<LI>")), 4 },
        { "markers outside the list",
            whole("<html><body>" + marker() + "<div class=\"full-goods-list\"><li>" + marker()
                + "</li></div><div class=\"pagination\"></div>" + marker() + "</body></html>"),
            3 },
        { "404 with a page",
            whole(
                "<html><body>gone " + marker() + "</body></html>", "text/html; charset=utf-8", 404),
            1 },
        { "500 with a page",
            whole("<html><body>error " + marker() + marker() + "</body></html>",
                "text/html; charset=utf-8", 500),
            2 },
        { "connection cut half way", cutOff, 0 },
        { "redirect loop", loop, 0 },
        { "dialogs, print and pop-ups in a loop",
            whole("<html><body>" + marker()
                + "<script>alert(1); confirm('?'); prompt('?'); print();"
                  " for (var i = 0; i < 50; ++i) window.open('/popup' + i);"
                  " setInterval(function () { alert('again'); window.open('/more'); }, "
                  "50);</script></body></html>"),
            1 },
        // The list before stays shown, and the refresh reads it again.
        { "a download", download, 6 },
        { "a script that sends the page to a shop app as it loads",
            whole(goods(3).replace("</body>",
                "<a id=\"app\" href=\"taobao://item.taobao.com/item.htm?id=1\">app</a><script>"
                "window.onload = function () { document.getElementById('app').click(); };"
                "</script></body>")),
            3 },
        { "a list that frames the built-in pages and sends itself to one",
            withScript(goods(3),
                "<iframe src=\"qrc:/site/corvalen/linjb.htm\"></iframe><script>window.onload = "
                "function () { location.href = 'qrc:/site/corvalen/linjb.htm'; };</script>"),
            3, Twist::None, 2 },
        { "a renderer killed after every load", whole(goods(3)), 0,
            Twist::KillRendererAfterEachLoad },
        { "a list that stops its own load while a picture still comes",
            withScript(goods(4),
                "<img src=\"/slow.gif\"><script>setTimeout(function () { window.stop(); }, 200);"
                "</script>"),
            4, Twist::None, 2 },
        { "a list whose onload goes to an address that answers with no content",
            withScript(goods(5),
                "<script>window.onload = function () { location.href = '/nocontent'; };</script>"),
            5, Twist::None, 2 },
        { "another page opened while the error page loads", loop, 5,
            Twist::NavigateWhileErrorPageLoads },
        { "geolocation and notifications",
            whole("<html><body>" + marker()
                + "<script>navigator.geolocation.getCurrentPosition(function(){}, function(){});"
                  " Notification.requestPermission();"
                  " navigator.mediaDevices && navigator.mediaDevices.getUserMedia({audio: "
                  "true}).catch(function(){});"
                  "</script></body></html>"),
            1 },
    };
}

// A watch on the watcher's tab whose list the hostile server answers: every page, however
// strange, is read or shown as no page, and the program goes on.
class HostilePagesTest : public ::testing::Test {
protected:
    HostilePagesTest()
    {
        simulation.start();
        Sites sites = simulation.sites();
        sites.coin = hostile.base();
        hostile.setReply(kList, whole(goods(6)));
        HostileReply slowPicture = whole(QByteArray(), "image/gif");
        slowPicture.delayMs = 8000;
        hostile.setReply(kSlowPicture, slowPicture);
        hostile.setReply(kNoContent, whole(QByteArray(), QByteArray(), 204));
        real = std::make_unique<RealProgram>(sites);
        // The start-up ends first: a tab clicked earlier would blank the start page it checks.
        EXPECT_TRUE(real->finishStartUp());
        Form1& f = form();
        f.WebBrowser6->DocumentComplete.connect([this](const BrowserObject&, const QString& url) {
            ++completed;
            m_lastUrl = url;
        });
        RealProgram::click(f.Command1(0));
        EXPECT_EVENTUALLY_EQ(f.Text2.Text(), QStringLiteral("6"), kPageMs);
        RealProgram::click(f.Check2);
        RealProgram::click(f.Option2(0));
        RealProgram::click(f.Command6);
        // The test drives the watch's seconds itself, one refresh per row.
        f.Timer1.setInterval(0);
    }

    Form1& form() { return real->form(); }
    QWebEnginePage* listPage()
    {
        return static_cast<WebEnginePane&>(form().WebBrowser6.browser()).page();
    }

    // Sets the twist going; it runs until the row ends.
    void startTwist(Twist twist)
    {
        const QString other = hostile.base() + kOther;
        if (twist == Twist::KillRendererAfterEachLoad) {
            form().WebBrowser6->DocumentComplete.connect(
                [this](const BrowserObject&, const QString&) {
                    if (m_twist == Twist::KillRendererAfterEachLoad
                        && !real->title(form().WebBrowser6).contains(u("没有可以显示的页面")))
                        ::kill(static_cast<pid_t>(listPage()->renderProcessPid()), SIGKILL);
                });
        }
        if (twist == Twist::NavigateWhileErrorPageLoads) {
            hostile.setReply(kOther, whole(goods(5)));
            QObject::connect(listPage(), &QWebEnginePage::loadingChanged, &m_twistContext,
                [this, other](const QWebEngineLoadingInfo& info) {
                    if (m_twist == Twist::NavigateWhileErrorPageLoads
                        && info.status() == QWebEngineLoadingInfo::LoadStartedStatus
                        && info.url().scheme() == QLatin1String("data")) {
                        m_twist = Twist::None;
                        form().WebBrowser6->Navigate2(other);
                    }
                });
        }
        m_twist = twist;
    }

    // What the twist must have left: a bounded number of loads, or the page opened last.
    void checkTwist(Twist twist, int listHitsBefore)
    {
        if (twist == Twist::KillRendererAfterEachLoad) {
            runEvents(3000);
            m_twist = Twist::None;
            EXPECT_LE(hostile.hits(kList) - listHitsBefore, 4) << "the first load and 3 reloads";
            EXPECT_TRUE(real->title(form().WebBrowser6).contains(u("没有可以显示的页面")));
        }
        if (twist == Twist::NavigateWhileErrorPageLoads) {
            EXPECT_EQ(m_lastUrl, hostile.base() + kOther);
            const int listHits = hostile.hits(kList);
            const int otherHits = hostile.hits(kOther);
            const int before = completed;
            refresh();
            EXPECT_EVENTUALLY(completed > before && m_lastUrl == hostile.base() + kOther, kPageMs);
            EXPECT_EQ(hostile.hits(kOther), otherHits + 1) << "the refresh reloads the page shown";
            EXPECT_EQ(hostile.hits(kList), listHits) << "not the address that failed";
            form().WebBrowser6->Navigate2(hostile.base() + kList);
        }
        QObject::disconnect(listPage(), nullptr, &m_twistContext, nullptr);
    }

    // The refresh of a running watch, ten ticks on.
    void refresh()
    {
        for (int i = 0; i < 10; ++i)
            form().Timer1.tick();
    }

    void expectNoDialogAnywhere(const char* name)
    {
        EXPECT_TRUE(real->dialogs.shown.empty()) << name;
        EXPECT_TRUE(real->shell.opened.isEmpty()) << name;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->isVisible() && top != &form() && top != real->program.splash())
                ADD_FAILURE() << name << ": a window is open: " << top->metaObject()->className();
        }
    }

    void expectGoodPageCountedAgain(const char* name)
    {
        SCOPED_TRACE(name);
        hostile.setReply(kList, whole(goods(6)));
        const int before = completed;
        refresh();
        EXPECT_EVENTUALLY(
            completed > before && form().Text2.Text() == QStringLiteral("6"), kPageMs);
    }

    demo::ShopSimulation simulation;
    HostileServer hostile;
    std::unique_ptr<RealProgram> real;
    int completed = 0;
    QString m_lastUrl;
    Twist m_twist = Twist::None;
    QObject m_twistContext;
};

TEST_F(HostilePagesTest, EveryPageIsReadOrShownAsNoPageAndTheWatchGoesOn)
{
    for (const HostileCase& c : hostileCases()) {
        SCOPED_TRACE(c.name);
        const int listHitsBefore = hostile.hits(kList);
        hostile.setReply(kList, c.reply);
        startTwist(c.twist);
        for (int r = 0; r < c.refreshes; ++r) {
            form().Text2.setText(QStringLiteral("-"));
            const int before = completed;
            QElapsedTimer sinceRefresh;
            sinceRefresh.start();
            refresh();
            if (c.count) {
                EXPECT_EVENTUALLY(
                    completed > before && form().Text2.Text() == QString::number(*c.count),
                    c.watchEveryMs ? c.watchEveryMs : kPageMs);
                runEvents(std::max<int>(0, c.watchEveryMs - sinceRefresh.elapsed()));
            } else {
                runEvents(2000);
                EXPECT_EQ(form().Text2.Text(), QStringLiteral("-")) << "nothing new was shown";
            }
        }
        checkTwist(c.twist, listHitsBefore);
        runEvents(300);
        EXPECT_EQ(form().Command6.Caption(), u("Corvalen下班"));
        expectNoDialogAnywhere(c.name);
        expectGoodPageCountedAgain(c.name);
    }
}

// A refresh while the list still comes is folded into that load: the page that comes is read,
// also when its onload sends it to a shop app and so ends the load.
TEST_F(HostilePagesTest, RefreshStartedBeforeASlowPageArrivesEndsInThatPage)
{
    QStringList counts;
    form().WebBrowser6->DocumentComplete.connect(
        [&](const BrowserObject&, const QString&) { counts << form().Text2.Text(); });
    const char* const appClick = "<a id=\"app\" href=\"taobao://item.taobao.com/item.htm?id=1\">"
                                 "app</a><script>window.onload = function () {"
                                 " document.getElementById('app').click(); };</script></body>";
    const struct {
        const char* name;
        HostileReply reply;
    } slowPages[] = {
        { "a plain list", whole(goods(4)) },
        { "a list whose onload clicks an app link", whole(goods(4).replace("</body>", appClick)) },
    };
    for (auto page : slowPages) {
        SCOPED_TRACE(page.name);
        counts.clear();
        page.reply.delayMs = 1500;
        hostile.setReply(kList, page.reply);
        refresh();
        runEvents(300);
        refresh();
        EXPECT_EVENTUALLY(counts.contains(QStringLiteral("4")), kPageMs);
        runEvents(2000);
        EXPECT_FALSE(counts.contains(QStringLiteral("0"))) << "an abandoned load is no error page";
        expectNoDialogAnywhere(page.name);
        expectGoodPageCountedAgain(page.name);
    }
}

// A refresh answered with no content leaves the list shown, and the watch judges it again.
TEST_F(HostilePagesTest, AListThatAnswersARefreshWithNoContentSoundsTheToneAgain)
{
    ASSERT_TRUE(sound_server::isRunning()) << "run under scripts/with-sound-server.sh";
    SinkRecorder speakers(QStringLiteral("speakers"));
    ASSERT_TRUE(speakers.waitUntilRecording());
    Form1& f = form();
    RealProgram::click(f.Command6); // the criteria are set between watches
    RealProgram::click(f.Check1);
    RealProgram::click(f.Option1(1)); // "6~10件": the list of 6
    RealProgram::click(f.Command6);
    f.Timer1.setInterval(0);
    refresh();
    ASSERT_EVENTUALLY_EQ(real->components.tones.size(), 1, kPageMs);
    runEvents(1500);
    hostile.setReply(kList, whole(QByteArray(), QByteArray(), 204));
    const int before = completed;
    refresh();
    EXPECT_EVENTUALLY_EQ(completed, before + 1, kPageMs);
    EXPECT_EVENTUALLY_EQ(real->components.tones.size(), 2, kPageMs);
    runEvents(1500);
    EXPECT_EQ(speakers.sounds().size(), 2);
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("6"));
}

TEST_F(HostilePagesTest, InvalidCertificateShowsNoPage)
{
    QTemporaryDir dir;
    const int made = QProcess::execute(QStringLiteral("openssl"),
        { QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
            QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-days"),
            QStringLiteral("1"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
            QStringLiteral("-keyout"), dir.filePath(QStringLiteral("key.pem")),
            QStringLiteral("-out"), dir.filePath(QStringLiteral("cert.pem")) });
    ASSERT_EQ(made, 0);
    QSslServer tls;
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    QFile certFile(dir.filePath(QStringLiteral("cert.pem")));
    QFile keyFile(dir.filePath(QStringLiteral("key.pem")));
    ASSERT_TRUE(certFile.open(QIODevice::ReadOnly) && keyFile.open(QIODevice::ReadOnly));
    config.setLocalCertificate(QSslCertificate(certFile.readAll()));
    config.setPrivateKey(QSslKey(keyFile.readAll(), QSsl::Rsa));
    tls.setSslConfiguration(config);
    ASSERT_TRUE(tls.listen(QHostAddress::LocalHost, 0));

    form().Text2.setText(QStringLiteral("-"));
    form().WebBrowser6->Navigate2(
        QStringLiteral("https://127.0.0.1:%1/home/full_exchange_home.htm").arg(tls.serverPort()));
    EXPECT_EVENTUALLY(real->title(form().WebBrowser6).contains(u("没有可以显示的页面")), kPageMs);
    EXPECT_EVENTUALLY_EQ(form().Text2.Text(), QStringLiteral("0"), kPageMs);
    expectNoDialogAnywhere("error page");
    form().WebBrowser6->Navigate2(hostile.base() + kList);
    EXPECT_EVENTUALLY_EQ(form().Text2.Text(), QStringLiteral("6"), kPageMs);
}

} // namespace
