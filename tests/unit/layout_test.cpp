#include "program_harness.h"
#include "row_name.h"
#include "windows/main_window_layout.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

struct Geometry {
    float left;
    float top;
    float width;
    float height;
};

void expectGeometry(const Control& control, Geometry g, const char* name)
{
    EXPECT_FLOAT_EQ(control.Left(), g.left) << name;
    EXPECT_FLOAT_EQ(control.Top(), g.top) << name;
    EXPECT_FLOAT_EQ(control.Width(), g.width) << name;
    EXPECT_FLOAT_EQ(control.Height(), g.height) << name;
}

class LayoutTest : public ::testing::Test {
protected:
    // The window's client area W × H twips on a screen S twips wide, laid out as a resize does.
    void layOut(float w, float h, float s)
    {
        f.setWindowStateValue(WindowState::Normal);
        f.resize(static_cast<int>(w / 15), static_cast<int>(h / 15));
        f.setScreenWidthOverride(s);
        layout.resize();
    }

    ProgramHarness harness;
    Form1& f = harness.form();
    MainWindowLayout layout { f };
};

// What a resize gives on each kind of screen, written out in twips.
struct LayoutCase {
    const char* screen;
    float w, h, s;
    Geometry lastStep; // Command4(4)
    Geometry bottomPane; // WebBrowser1
    Geometry lastTab; // Command1(4)
    Geometry workingPane; // WebBrowser6
    float startPaneWidth; // WebBrowser2
    float shoppingPaneWidth; // WebBrowser3
    float adPaneLeft; // WebBrowser5
    float adButtonLeft; // Command5(9)
    float toggleTop; // Command7
    Geometry contactBox; // Frame1
    Geometry guideStrip; // WebBrowser4
    float adPaneTop, adPaneHeight; // WebBrowser5: unchanged from the design when narrow
    float startPaneTop, startPaneHeight; // WebBrowser2
    float shoppingPaneTop, shoppingPaneHeight; // WebBrowser3
};

class LayoutTableTest : public LayoutTest, public ::testing::WithParamInterface<LayoutCase> { };

TEST_P(LayoutTableTest, ResultingGeometry)
{
    const LayoutCase& c = GetParam();
    layOut(c.w, c.h, c.s);
    expectGeometry(f.Command4(4), c.lastStep, c.screen);
    expectGeometry(f.WebBrowser1, c.bottomPane, c.screen);
    expectGeometry(f.Command1(4), c.lastTab, c.screen);
    expectGeometry(f.WebBrowser6, c.workingPane, c.screen);
    EXPECT_FLOAT_EQ(f.WebBrowser2.Width(), c.startPaneWidth) << c.screen;
    EXPECT_FLOAT_EQ(f.WebBrowser3.Width(), c.shoppingPaneWidth) << c.screen;
    EXPECT_FLOAT_EQ(f.WebBrowser5.Left(), c.adPaneLeft) << c.screen;
    EXPECT_FLOAT_EQ(f.Command5(9).Left(), c.adButtonLeft) << c.screen;
    EXPECT_FLOAT_EQ(f.Command7.Top(), c.toggleTop) << c.screen;
    expectGeometry(f.Frame1, c.contactBox, c.screen);
    expectGeometry(f.WebBrowser4, c.guideStrip, c.screen);
    EXPECT_FLOAT_EQ(f.WebBrowser5.Top(), c.adPaneTop) << c.screen;
    EXPECT_FLOAT_EQ(f.WebBrowser5.Height(), c.adPaneHeight) << c.screen;
    EXPECT_FLOAT_EQ(f.WebBrowser2.Top(), c.startPaneTop) << c.screen;
    EXPECT_FLOAT_EQ(f.WebBrowser2.Height(), c.startPaneHeight) << c.screen;
    EXPECT_FLOAT_EQ(f.WebBrowser3.Top(), c.shoppingPaneTop) << c.screen;
    EXPECT_FLOAT_EQ(f.WebBrowser3.Height(), c.shoppingPaneHeight) << c.screen;
    // Invariants of every screen: the steps share the strip evenly, the tabs the left edge.
    for (int i = 1; i < 5; ++i) {
        EXPECT_FLOAT_EQ(f.Command4(i).Left(), f.Command4(i - 1).Left() + f.Command4(i - 1).Width());
        EXPECT_FLOAT_EQ(f.Command1(i).Top(), f.Command1(i - 1).Top() + f.Command1(i - 1).Height());
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, LayoutTableTest,
    ::testing::Values(
        LayoutCase { "wide 1280", 19200, 10500, 19200, { 12228, 0, 2962, 900 },
            { 1320, 9020, 15250, 1480 }, { 0, 7228, 380, 1807 }, { 380, 870, 14820, 8150 }, 15090,
            14820, 15200, 15700, 4460, { 7, 8920, 1320, 1580 }, { 380, 1300, 4030, 7720 }, 600,
            9900, 870, 8150, 0, 9020 },
        LayoutCase { "narrow 1024", 15360, 10500, 15360, { 9156, 0, 2194, 900 },
            { 1320, 9020, 15360, 1480 }, { 0, 7228, 380, 1807 }, { 380, 870, 14980, 8150 }, 15250,
            14980, 55360, 40000, 4460, { 7, 8920, 1320, 1580 }, { 380, 1300, 4030, 7720 }, 1080,
            6375, 870, 8150, 0, 9020 },
        LayoutCase { "just narrow", 15000, 9000, 15365, { 8868, 0, 2122, 900 },
            { 1320, 7520, 15000, 1480 }, { 0, 6028, 380, 1507 }, { 380, 870, 14620, 6650 }, 14890,
            14620, 55000, 40000, 3710, { 7, 7420, 1320, 1580 }, { 380, 1300, 4030, 6220 }, 1080,
            6375, 870, 6650, 0, 7520 },
        LayoutCase { "just wide", 15000, 9000, 15366, { 8868, 0, 2122, 900 },
            { 1320, 7520, 11050, 1480 }, { 0, 6028, 380, 1507 }, { 380, 870, 10620, 6650 }, 10890,
            10620, 11000, 11500, 3710, { 7, 7420, 1320, 1580 }, { 380, 1300, 4030, 6220 }, 600,
            8400, 870, 6650, 0, 7520 },
        LayoutCase { "smallest window", 4395, 2790, 15360, { 384, 0, 1, 900 },
            { 1320, 1310, 4395, 1480 }, { 0, 1060, 380, 265 }, { 380, 870, 4015, 440 }, 4285, 4015,
            44395, 40000, 605, { 7, 1210, 1320, 1580 }, { 380, 1300, 4030, 10 }, 1080, 6375, 870,
            440, 0, 1310 }),
    [](const ::testing::TestParamInfo<LayoutCase>& row) { return rowName(row.param.screen); });

TEST_F(LayoutTest, MinimizedMovesNothing)
{
    layOut(19200, 10500, 19200);
    f.show();
    f.setWindowStateValue(WindowState::Minimized);
    f.resize(700, 400);
    layout.resize();
    EXPECT_FLOAT_EQ(f.WebBrowser6.Width(), 19200 - 4380);
}

TEST_F(LayoutTest, ResizeAfterTheGuideWasHiddenPutsTheToggleBack)
{
    f.Command1(1).Click.raise();
    layOut(19200, 10500, 19200);
    f.Command7.Click.raise();
    ASSERT_FLOAT_EQ(f.Command7.Left(), 380);
    layOut(19200, 10000, 19200);
    EXPECT_FLOAT_EQ(f.Command7.Left(), 3920);
    EXPECT_EQ(f.Command7.Caption(), QStringLiteral(">"));
    EXPECT_FALSE(f.WebBrowser4.Visible());
}

TEST_F(LayoutTest, ResizeAfterTheBrandTabSetsThePaneAgain)
{
    layOut(15000, 9000, 15360);
    f.Command1(3).Click.raise();
    EXPECT_FLOAT_EQ(f.WebBrowser3.Width(), 15000 - 4380);
    layout.resize();
    EXPECT_FLOAT_EQ(f.WebBrowser3.Width(), 15000 - 380);
}

TEST_F(LayoutTest, RealWidgetsSitAtTheirPixelPlacesAndTheWindowHasAFloor)
{
    f.setScreenWidthOverride(19200);
    f.show();
    const float w = f.ScaleWidth();
    const float h = f.ScaleHeight();
    const auto px = [](float twips) { return static_cast<int>(std::lround(twips / 15)); };
    EXPECT_EQ(
        f.WebBrowser6.widget()->geometry(), QRect(px(380), px(870), px(w - 4380), px(h - 2350)));
    EXPECT_EQ(f.Command5(9).widget()->geometry(), QRect(px(w - 3500), px(308), px(500), px(300)));
    EXPECT_GE(f.minimumWidth() * 15, 4390);
    EXPECT_GE(f.minimumHeight() * 15, 2780);
}

} // namespace
