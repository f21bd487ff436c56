#include "event_spy.h"
#include "eventually.h"
#include "forms/form2.h"
#include "loopback_server.h"
#include "page_click.h"
#include "process_memory.h"
#include "real_program.h"
#include "shop_simulation.h"
#include "sound_server.h"

#include <QApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QMouseEvent>
#include <gtest/gtest.h>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

constexpr int kPageMs = 20000;
constexpr int kSplashMs = 12000;

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// A user's session with the demo: the simulated sites and the real program.
class JourneyTest : public ::testing::Test {
protected:
    JourneyTest()
    {
        simulation.start();
        real = std::make_unique<RealProgram>(simulation.sites());
    }

    // The main window as the user has it once the splash is over.
    Form1& afterSplash()
    {
        EXPECT_TRUE(real->finishStartUp());
        return real->form();
    }

    demo::ShopSimulation simulation;
    std::unique_ptr<RealProgram> real;
};

TEST_F(JourneyTest, StartUpShowsTheMainWindowOnTheSixthTickWithoutAMessage)
{
    ASSERT_EVENTUALLY(
        real->program.splash() && real->program.splash()->SplashTicks == 5, kSplashMs);
    EXPECT_FALSE(real->form().isVisible());
    Form1& f = afterSplash();
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(real->dialogs.shown.empty());
    EXPECT_EQ(real->title(f.WebBrowser2), QStringLiteral("1.3.0"));
}

TEST_F(JourneyTest, CountWatchPlaysTheToneOfTheRangeAtTheFirstRefresh)
{
    Form1& f = afterSplash();
    RealProgram::click(f.Command1(0));
    EXPECT_EVENTUALLY_EQ(f.Text2.Text(), QStringLiteral("3"), kPageMs);

    RealProgram::click(f.Check1);
    RealProgram::click(f.Option1(1)); // "6~10件": the next load brings 8 goods
    RealProgram::click(f.Check2);
    RealProgram::click(f.Option2(0)); // "10秒/次"
    ASSERT_TRUE(sound_server::isRunning()) << "run under scripts/with-sound-server.sh";
    SinkRecorder speakers(QStringLiteral("speakers"));
    ASSERT_TRUE(speakers.waitUntilRecording());
    RealProgram::click(f.Command6);
    EXPECT_EQ(f.Command6.Caption(), u("Corvalen下班"));

    EXPECT_EVENTUALLY_EQ(f.Text2.Text(), QStringLiteral("8"), kPageMs);
    const QString tone = simulation.base() + QStringLiteral("/tones/2.mp3");
    EXPECT_EQ(real->components.tones, QStringList { tone });
    // The user hears it: the whole tone comes out of the speakers.
    const QList<Sound> own = soundsIn(decodeReference(QStringLiteral(":/site/tones/2.mp3")));
    ASSERT_EQ(own.size(), 1);
    EXPECT_EVENTUALLY(!speakers.isSilent(), kPageMs);
    runEvents(int(own[0].seconds * 1000) + 300);
    const QList<Sound> heard = speakers.sounds();
    ASSERT_EQ(heard.size(), 1);
    EXPECT_GE(heard[0].seconds, 0.95 * own[0].seconds);

    RealProgram::click(f.Command6);
    EXPECT_EQ(f.Command6.Caption(), u("Corvalen上岗"));
    EXPECT_EQ(f.Timer1.Interval(), 0);
}

TEST_F(JourneyTest, KeywordWatchWithBothKeywordsRequestsFiveSixSeven)
{
    Form1& f = afterSplash();
    RealProgram::click(f.Command1(0));
    EXPECT_EVENTUALLY_EQ(f.Text2.Text(), QStringLiteral("3"), kPageMs);
    const char* keywords[] = { "雨伞", "充电宝" };
    for (int k = 0; k < 2; ++k) {
        RealProgram::click(f.Check3(k));
        RealProgram::click(f.Text1(k));
        RealProgram::type(f.Text1(k), u(keywords[k]));
    }
    RealProgram::click(f.Check2);
    RealProgram::click(f.Option2(0));
    RealProgram::click(f.Command6);
    ASSERT_EQ(f.state.Keyword1, u("雨伞"));
    ASSERT_EQ(f.state.Keyword2, u("充电宝"));

    // Two refreshes: the list of 8 goods brings the power bank alone, the one of 15 brings both.
    for (const char* count : { "8", "15" }) {
        for (int second = 0; second < 10; ++second)
            f.Timer1.tick();
        EXPECT_EVENTUALLY_EQ(f.Text2.Text(), QString::fromLatin1(count), kPageMs);
    }
    const QString host = simulation.base() + QStringLiteral("/tones/");
    EXPECT_EQ(real->components.tones,
        (QStringList { host + QStringLiteral("6.mp3"), host + QStringLiteral("5.mp3"),
            host + QStringLiteral("6.mp3"), host + QStringLiteral("7.mp3") }));
    EXPECT_EVENTUALLY(simulation.hits(QStringLiteral("/tones/7.mp3")) >= 1, kPageMs);
}

TEST_F(JourneyTest, CoinClaimTabGuidesTheDailyClaim)
{
    Form1& f = afterSplash();
    RealProgram::click(f.Command1(1));
    EXPECT_EVENTUALLY_EQ(real->title(f.WebBrowser4), simulation.todaysShop(), kPageMs);
    EXPECT_EVENTUALLY_EQ(real->title(f.WebBrowser6), u("淘金币（模拟）"), kPageMs);

    // The guide's own link asks for a new window: it opens in the working pane.
    const int homeLoads = simulation.hits(QStringLiteral("/home/home_new.htm"));
    EventSpy workingPaneLoads(f.WebBrowser6->DocumentComplete);
    ASSERT_TRUE(clickElement(f.WebBrowser4.widget(), QStringLiteral("a[target]")));
    EXPECT_EVENTUALLY_EQ(
        simulation.hits(QStringLiteral("/home/home_new.htm")), homeLoads + 1, kPageMs);
    // The pop-up's page has arrived before the next step is clicked.
    EXPECT_EVENTUALLY(
        workingPaneLoads.count() > 0 && real->title(f.WebBrowser6) == u("淘金币（模拟）"), kPageMs);
    EXPECT_TRUE(f.WebBrowser4.Visible());
    EXPECT_TRUE(real->shell.opened.isEmpty());

    RealProgram::click(f.Command4(4));
    EXPECT_EVENTUALLY_EQ(real->title(f.WebBrowser6), u("今天的店铺（模拟）"), kPageMs);
    EXPECT_EQ(f.Command4(4).BackColor(), Colors::Marker);

    RealProgram::click(f.Command7);
    EXPECT_FALSE(f.WebBrowser4.widget()->isVisible());
    EXPECT_EQ(f.Command7.Caption(), QStringLiteral(">"));
    RealProgram::click(f.Command7);
    EXPECT_TRUE(f.WebBrowser4.widget()->isVisible());
    EXPECT_EQ(f.Command7.Caption(), QStringLiteral("<"));
}

TEST_F(JourneyTest, AdvertsFollowTheMouseAndTheInstructionsOpenOnTop)
{
    Form1& f = afterSplash();
    f.setScreenWidthOverride(19200);
    QWidget* button = f.Command5(15).widget();
    QMouseEvent move(QEvent::MouseMove, QPointF(4, 4), button->mapToGlobal(QPointF(4, 4)),
        Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(button, &move);
    EXPECT_EVENTUALLY_EQ(real->title(f.WebBrowser5), u("广告 16"), kPageMs);
    EXPECT_EQ(f.Command5(15).BackColor(), Colors::Red);

    RealProgram::click(f.Command8);
    Form2* instructions = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* form = qobject_cast<Form2*>(top))
            instructions = form;
    }
    ASSERT_NE(instructions, nullptr);
    EXPECT_TRUE(instructions->isVisible());
    EXPECT_TRUE(instructions->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EVENTUALLY_EQ(real->title(instructions->WebBrowser1), u("Corvalen 软件说明"), kPageMs);
    RealProgram::click(instructions->Command1);
    EXPECT_TRUE(instructions->isUnloading());
}

TEST(StartUpJourneyTest, NewerReleaseOffersTheDownloadPage)
{
    demo::ShopSimulation simulation;
    simulation.setRelease(QStringLiteral("1.3.1"));
    simulation.start();
    RealProgram real(simulation.sites());
    EXPECT_TRUE(real.finishStartUp());
    ASSERT_EQ(real.dialogs.shown.size(), 1u);
    EXPECT_EQ(real.dialogs.shown[0].title, u("更新提示"));
    EXPECT_EQ(
        real.shell.opened, QStringList { simulation.base() + QStringLiteral("/corvalen.htm") });
    EXPECT_TRUE(real.form().isVisible());
}

TEST(StartUpJourneyTest, MakerSiteDownEndsTheProgramOnOk)
{
    demo::ShopSimulation simulation;
    simulation.start();
    Sites sites = simulation.sites();
    sites.maker = QStringLiteral("http://127.0.0.1:%1").arg(LoopbackServer::closedPort());
    RealProgram real(sites);
    bool ended = false;
    QObject::connect(&real.program, &Corvalen::lastWindowGone, [&] { ended = true; });
    real.finishStartUp();
    EXPECT_EVENTUALLY(ended, kSplashMs);
    ASSERT_EQ(real.dialogs.shown.size(), 1u);
    EXPECT_EQ(real.dialogs.shown[0].prompt, u("当前网络存在问题，将关闭软件，请检查网络连接！"));
    EXPECT_EQ(real.dialogs.shown[0].title, u("连接故障"));
}

TEST(PanePopUpJourneyTest, StartPagePopUpLandsInTheWorkingPaneAndHidesTheStartPage)
{
    LoopbackServer server;
    server.setPage(QStringLiteral("/corvalen/corvalen2345.htm"),
        "<html><head><title>1.3.0</title></head><body>"
        "<a id=\"a\" href=\"/popup.htm\" target=\"_blank\" "
        "style=\"font-size:40px\">open</a></body></html>");
    server.setPage(QStringLiteral("/popup.htm"),
        "<html><head><title>popup</title></head><body>p</body></html>");
    RealProgram real(Sites::allAt(server.base()));
    Form1& f = real.form();
    f.show();
    EXPECT_EVENTUALLY_EQ(real.title(f.WebBrowser2), QStringLiteral("1.3.0"), kPageMs);
    ASSERT_TRUE(clickElement(f.WebBrowser2.widget(), QStringLiteral("#a")));
    EXPECT_EVENTUALLY_EQ(real.title(f.WebBrowser6), QStringLiteral("popup"), kPageMs);
    EXPECT_FALSE(f.WebBrowser2.Visible());
    EXPECT_TRUE(real.shell.opened.isEmpty());
}

// A shop of three goods on a loopback server: its list (which signs the user in), the maker's
// start page and tone 1.
class ThreeGoodsShop : public LoopbackServer {
public:
    const QString list = QStringLiteral("/home/full_exchange_home.htm");
    const QString tone = QStringLiteral("/tones/1.mp3");

    ThreeGoodsShop()
    {
        QString page = QStringLiteral("<html><body><ul class=\"full-goods-list\">");
        for (int i = 0; i < 3; ++i)
            page += QStringLiteral("<li><b>") + u("可用金币兑换") + QStringLiteral("</b>item</li>");
        setPage(list, (page + QStringLiteral("</ul><div class=\"pagination\"></div>")).toUtf8());
        setHeader(list, "Set-Cookie", "member=signed-in; Max-Age=86400; Path=/");
        setPage(QStringLiteral("/corvalen/corvalen2345.htm"),
            "<html><head><title>1.3.0</title></head></html>");
        setFile(tone, QStringLiteral(":/site/tones/1.mp3"), "audio/mpeg");
    }

    // Watches the list for one to five goods: it is read, read again at the watch's first
    // refresh, and tone 1 is asked for.
    void watch(RealProgram& real)
    {
        Form1& f = real.form();
        f.show();
        RealProgram::click(f.Command1(0));
        EXPECT_EVENTUALLY_EQ(f.Text2.Text(), QStringLiteral("3"), kPageMs);
        RealProgram::click(f.Check1);
        RealProgram::click(f.Option1(0));
        RealProgram::click(f.Check2);
        RealProgram::click(f.Option2(0));
        RealProgram::click(f.Command6);
        EXPECT_EVENTUALLY(hits(tone) >= 1, kPageMs);
        EXPECT_EQ(hits(list), 2) << "loaded, then refreshed by the watch";
        EXPECT_EQ(f.Text2.Text(), QStringLiteral("3"));
    }
};

TEST(WatchOnRealEngineTest, ThreeGoodsInTheFirstRangeSoundToneOne)
{
    ThreeGoodsShop shop;
    RealProgram real(Sites::allAt(shop.base()));
    shop.watch(real);
}

bool isZygote(qint64 pid)
{
    QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(pid));
    return commandLine.open(QIODevice::ReadOnly) && commandLine.readAll().contains("--type=zygote");
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
    QDirIterator file(
        store, { QStringLiteral("Cookies") }, QDir::Files, QDirIterator::Subdirectories);
    return file.hasNext() ? file.next() : QString();
}

// The same watch as its users run it: a normal user, the engine's sandbox on, the store in the
// user's home. scripts/check-as-user.sh runs this as such a user; as root it has nothing to
// check.
TEST(AsUserTest, WatchReadsTheListInSandboxedRenderersAndAsksForTheTone)
{
    if (::geteuid() == 0 || qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        GTEST_SKIP() << "runs as a normal user with the sandbox on: scripts/check-as-user.sh";
    QCoreApplication::setApplicationName(QStringLiteral("corvalen"));
    ThreeGoodsShop shop;
    {
        RealProgram real(Sites::allAt(shop.base()), StoreIn::Home);
        shop.watch(real);
        const QList<qint64> renderers = sandboxForkedRenderers();
        EXPECT_FALSE(renderers.isEmpty()) << "no renderer that the sandbox forked";
        for (qint64 pid : renderers)
            EXPECT_EQ(seccompMode(pid), "2") << "renderer " << pid << " runs unfiltered";
    }
    // The store and the cache are the user's, in the user's home, and the sign-in is closed to
    // everyone else, as a browser keeps its profile.
    const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
        | QFile::WriteOther | QFile::ExeOther;
    for (const QString& folder : { browserStorageFolder(), browserCacheFolder() }) {
        const QFileInfo info(folder);
        EXPECT_FALSE(info.permissions() & others) << folder.toStdString();
        EXPECT_TRUE(info.isDir()) << folder.toStdString();
        EXPECT_TRUE(folder.startsWith(QDir::homePath() + QLatin1Char('/'))) << folder.toStdString();
        EXPECT_EQ(info.ownerId(), ::getuid()) << folder.toStdString();
    }
    const QFileInfo cookies(cookieFile(browserStorageFolder()));
    ASSERT_TRUE(cookies.exists()) << "no cookie file in the store";
    EXPECT_FALSE(cookies.permissions() & others) << cookies.filePath().toStdString();
    EXPECT_FALSE(QFileInfo(cookies.path()).permissions() & others) << cookies.path().toStdString();
}

} // namespace
