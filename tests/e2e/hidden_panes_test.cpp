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

    RealProgram::click(f.Command1(2));
    EXPECT_EVENTUALLY_EQ(real->title(f.WebBrowser3), u("聚划算（模拟）"), kPageMs);
    RealProgram::click(f.Command1(0));
    EXPECT_EVENTUALLY(discarded(f.WebBrowser3), kPageMs);
    EXPECT_EQ(pageOf(f.WebBrowser3)->url(), QUrl(QStringLiteral("about:blank")));
    runEvents(1500);
    EXPECT_FALSE(discarded(f.WebBrowser6)) << "the watched pane keeps running";

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

TEST_F(HiddenPanesTest, GuidePopUpsLandInTheWorkingPaneAlsoAfterTheGuideWasGivenBack)
{
    Form1& f = form();
    RealProgram::click(f.Command1(1));
    EXPECT_EVENTUALLY_EQ(real->title(f.WebBrowser4), simulation.todaysShop(), kPageMs);
    EventSpy guideLoads(f.WebBrowser4->DocumentComplete);
    for (const bool afterDiscard : { false, true }) {
        SCOPED_TRACE(afterDiscard ? "after the guide was given back" : "first time");
        if (afterDiscard) {
            RealProgram::click(f.Command7); // hides the guide
            EXPECT_EVENTUALLY(discarded(f.WebBrowser4), kPageMs);
            const int before = guideLoads.count();
            RealProgram::click(f.Command7); // and shows it: its page comes back by itself
            EXPECT_EVENTUALLY(guideLoads.count() > before, kPageMs);
            EXPECT_FALSE(discarded(f.WebBrowser4));
        }
        const int homeLoads = simulation.hits(QStringLiteral("/home/home_new.htm"));
        EXPECT_TRUE(clickElement(f.WebBrowser4.widget(), QStringLiteral("a[target]")));
        EXPECT_EVENTUALLY_EQ(
            simulation.hits(QStringLiteral("/home/home_new.htm")), homeLoads + 1, kPageMs);
        EXPECT_TRUE(f.WebBrowser4.widget()->isVisible());
        EXPECT_TRUE(real->shell.opened.isEmpty());
    }
}

} // namespace
