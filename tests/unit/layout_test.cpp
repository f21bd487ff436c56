#include "program_harness.h"
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

struct LayoutCase {
    float w;
    float h;
    float s;
    bool wide;
};

class LayoutTableTest : public LayoutTest, public ::testing::WithParamInterface<LayoutCase> { };

TEST_P(LayoutTableTest, ResultingGeometry)
{
    const auto [w, h, s, wide] = GetParam();
    layOut(w, h, s);
    const float step = (w - 4390) / 5;
    for (int i = 0; i < 5; ++i)
        expectGeometry(f.Command4(i), { 380 + i * step, 0, step, 900 }, "Command4");
    expectGeometry(f.WebBrowser1, { 1320, h - 1480, wide ? w - 3950 : w, 1480 }, "WebBrowser1");
    const float tab = (h - 1465) / 5;
    for (int i = 0; i < 5; ++i)
        expectGeometry(f.Command1(i), { 0, i * tab, 380, tab }, "Command1");
    expectGeometry(f.Frame1, { 7, h - 1580, 1320, 1580 }, "Frame1");
    expectGeometry(f.WebBrowser4, { 380, 1300, 4030, h - 2780 }, "WebBrowser4");
    expectGeometry(f.Command7, { 3920, (h - 2780) / 2 + 600, 230, 300 }, "Command7");
    expectGeometry(f.WebBrowser2, { 380, 870, wide ? w - 4110 : w - 110, h - 2350 }, "WebBrowser2");
    expectGeometry(f.WebBrowser6, { 380, 870, wide ? w - 4380 : w - 380, h - 2350 }, "WebBrowser6");
    expectGeometry(f.WebBrowser3, { 380, 0, wide ? w - 4380 : w - 380, h - 1480 }, "WebBrowser3");
    if (wide) {
        expectGeometry(f.WebBrowser5, { w - 4000, 600, 4000, h - 600 }, "WebBrowser5");
        for (int i = 0; i < 16; ++i)
            expectGeometry(f.Command5(i),
                { w - 4000 + 500 * (i % 8), i < 8 ? 0.0f : 308.0f, 500, 300 }, "Command5");
        EXPECT_FLOAT_EQ(f.Command4(4).Left() + f.Command4(4).Width(), w - 4010);
    } else {
        EXPECT_FLOAT_EQ(f.WebBrowser5.Left(), w + 40000);
        for (int i = 0; i < 16; ++i)
            EXPECT_FLOAT_EQ(f.Command5(i).Left(), 40000);
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, LayoutTableTest,
    ::testing::Values(LayoutCase { 19200, 10500, 19200, true },
        LayoutCase { 15360, 10500, 15360, false }, LayoutCase { 15000, 9000, 15365, false },
        LayoutCase { 15000, 9000, 15366, true }, LayoutCase { 4395, 2790, 15360, false }));

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
