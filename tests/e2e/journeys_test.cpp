#include "event_spy.h"
#include "eventually.h"
#include "forms/form2.h"
#include "loopback_server.h"
#include "page_click.h"
#include "real_program.h"
#include "shop_simulation.h"

#include <QApplication>
#include <QMediaPlayer>
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
    RealProgram::click(f.Command6);
    EXPECT_EQ(f.Command6.Caption(), u("Corvalen下班"));

    EXPECT_EVENTUALLY_EQ(f.Text2.Text(), QStringLiteral("8"), kPageMs);
    const QString tone = simulation.base() + QStringLiteral("/tones/2.mp3");
    EXPECT_EQ(real->components.tones, QStringList { tone });
    EXPECT_EVENTUALLY(simulation.hits(QStringLiteral("/tones/2.mp3")) >= 1, kPageMs);
    EXPECT_EVENTUALLY_EQ(
        real->components.player->real().player()->mediaStatus(), QMediaPlayer::EndOfMedia, kPageMs);

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

TEST(WatchOnRealEngineTest, ThreeGoodsInTheFirstRangeSoundToneOne)
{
    LoopbackServer server;
    QString list = QStringLiteral("<html><body><ul class=\"full-goods-list\">");
    for (int i = 0; i < 3; ++i)
        list += QStringLiteral("<li><b>") + u("可用金币兑换") + QStringLiteral("</b>item</li>");
    list += QStringLiteral("</ul><div class=\"pagination\"></div></body></html>");
    server.setPage(QStringLiteral("/home/full_exchange_home.htm"), list.toUtf8());
    server.setPage(QStringLiteral("/corvalen/corvalen2345.htm"),
        "<html><head><title>1.3.0</title></head></html>");
    server.setFile(
        QStringLiteral("/tones/1.mp3"), QStringLiteral(":/site/tones/1.mp3"), "audio/mpeg");
    RealProgram real(Sites::allAt(server.base()));
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
    EXPECT_EQ(server.hits(QStringLiteral("/home/full_exchange_home.htm")), 2);
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("3"));
}

} // namespace
