#include "event_spy.h"
#include "eventually.h"
#include "page_click.h"
#include "real_program.h"
#include "shop_simulation.h"

#include <gtest/gtest.h>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

constexpr int kPageMs = 20000;

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QWebEnginePage* pageOf(PaneControl& pane)
{
    return static_cast<WebEnginePane&>(pane.browser()).page();
}

bool discarded(PaneControl& pane)
{
    return pageOf(pane)->lifecycleState() == QWebEnginePage::LifecycleState::Discarded;
}

// Frozen or discarded: the page no longer runs.
bool givenBack(PaneControl& pane)
{
    return pageOf(pane)->lifecycleState() != QWebEnginePage::LifecycleState::Active;
}

// The demo on the real engine, after its start-up.
class HiddenPanesTest : public ::testing::Test {
protected:
    HiddenPanesTest()
    {
        simulation.start();
        real = std::make_unique<RealProgram>(simulation.sites());
        EXPECT_TRUE(real->finishStartUp());
    }

    Form1& form() { return real->form(); }

    demo::ShopSimulation simulation;
    std::unique_ptr<RealProgram> real;
};

TEST_F(HiddenPanesTest, ShoppingPaneGivesItsPageBackWhileHiddenAndTheWatchReadsOn)
{
    Form1& f = form();
    RealProgram::click(f.Command1(0));
    EXPECT_EVENTUALLY(!f.Text2.Text().isEmpty(), kPageMs);
    RealProgram::click(f.Check2);
    RealProgram::click(f.Option2(0));
    RealProgram::click(f.Command6);
    f.Timer1.setInterval(0); // the test drives the seconds
    EventSpy listReads(f.WebBrowser6->DocumentComplete);

    // Tab 2 hides the watched pane too; the watch still refreshes it there.
    RealProgram::click(f.Command1(2));
    EXPECT_EVENTUALLY_EQ(real->title(f.WebBrowser3), u("聚划算（模拟）"), kPageMs);
    runEvents(2500);
    EXPECT_FALSE(f.WebBrowser6.widget()->isVisible());
    EXPECT_FALSE(givenBack(f.WebBrowser6)) << "the watched pane keeps running while hidden";
    RealProgram::click(f.Command1(0));
    EXPECT_EVENTUALLY(discarded(f.WebBrowser3), kPageMs);
    EXPECT_EQ(pageOf(f.WebBrowser3)->url(), QUrl(QStringLiteral("about:blank")));

    const int before = listReads.count();
    for (int second = 0; second < 10; ++second)
        f.Timer1.tick();
    EXPECT_EVENTUALLY(listReads.count() > before, kPageMs);

    RealProgram::click(f.Command1(3));
    EXPECT_EVENTUALLY_EQ(real->title(f.WebBrowser3), u("名品折扣（模拟）"), kPageMs);
    EXPECT_TRUE(f.WebBrowser3.widget()->isVisible());
    EXPECT_FALSE(discarded(f.WebBrowser3));
    EXPECT_EQ(f.Command6.Caption(), u("Corvalen下班"));
}

// The guide's toggle hides the strip on the coin-claim tab: its page stays as it was, and its
// pop-ups still land in the working pane.
TEST_F(HiddenPanesTest, HiddenGuideKeepsItsPageAndItsPopUpsLandInTheWorkingPane)
{
    Form1& f = form();
    RealProgram::click(f.Command1(1));
    EXPECT_EVENTUALLY_EQ(real->title(f.WebBrowser4), simulation.todaysShop(), kPageMs);
    const int guideLoads = simulation.hits(QStringLiteral("/corvalen/linjb.htm"));
    RealProgram::click(f.Command7); // hides the guide
    runEvents(2500);
    EXPECT_FALSE(givenBack(f.WebBrowser4));
    RealProgram::click(f.Command7); // and shows it
    runEvents(500);
    EXPECT_EQ(simulation.hits(QStringLiteral("/corvalen/linjb.htm")), guideLoads);

    const int homeLoads = simulation.hits(QStringLiteral("/home/home_new.htm"));
    EXPECT_TRUE(clickElement(f.WebBrowser4.widget(), QStringLiteral("a[target]")));
    EXPECT_EVENTUALLY_EQ(
        simulation.hits(QStringLiteral("/home/home_new.htm")), homeLoads + 1, kPageMs);
    EXPECT_TRUE(f.WebBrowser4.widget()->isVisible());
    EXPECT_TRUE(real->shell.opened.isEmpty());
}

} // namespace
