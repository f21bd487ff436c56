#include "forms/captions.h"
#include "program_harness.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class WatchCycleTest : public ::testing::Test {
protected:
    void chooseInterval(int k) { f.Option2(k).setValue(true); }
    void click() { f.Command6.Click.raise(); }
    // Seconds of the running watch, and the refreshes they brought.
    int runSeconds(int seconds)
    {
        const int before = h.pane(6).refreshes;
        for (int i = 0; i < seconds; ++i)
            f.Timer1.tick();
        return h.pane(6).refreshes - before;
    }
    bool running() const { return f.Command6.Caption() == stopWatchCaption(); }

    ProgramHarness h;
    Form1& f = h.form();
};

TEST_F(WatchCycleTest, StartCapturesTheCriteriaAndStartsTheTimer)
{
    struct Case {
        int range;
        int interval;
        int low;
        int high;
        int ticks;
    };
    const Case cases[]
        = { { 0, 0, 1, 5, 10 }, { 1, 1, 6, 10, 20 }, { 2, 2, 11, 20, 30 }, { 3, 3, 21, 280, 60 } };
    for (const Case& c : cases) {
        f.Option1(c.range).setValue(true);
        chooseInterval(c.interval);
        click();
        EXPECT_TRUE(running());
        EXPECT_EQ(f.Command6.BackColor(), Colors::AppWorkspace);
        EXPECT_EQ(f.state.RangeLow, c.low);
        EXPECT_EQ(f.state.RangeHigh, c.high);
        EXPECT_EQ(f.state.RefreshTicks, c.ticks);
        EXPECT_EQ(f.Timer1.Interval(), 1000);
        click();
        EXPECT_FALSE(running());
        EXPECT_EQ(f.Command6.BackColor(), Colors::Red);
        EXPECT_EQ(f.state.RangeLow, 0);
        EXPECT_EQ(f.state.RangeHigh, 0);
        EXPECT_EQ(f.state.RefreshTicks, 0);
        EXPECT_EQ(f.Timer1.Interval(), 0);
    }
}

TEST_F(WatchCycleTest, KeywordIsTakenOnlyFromATickedBlackBox)
{
    struct Case {
        int ticked;
        std::uint32_t color;
        const char* text;
        const char* taken;
    };
    const Case cases[] = {
        { 1, Colors::Black, " 雨伞 ", " 雨伞 " },
        { 1, Colors::ButtonShadow, "输入关键词", "" },
        { 1, Colors::AppWorkspace, "雨伞", "" },
        { 0, Colors::Black, "雨伞", "" },
    };
    chooseInterval(0);
    for (const Case& c : cases) {
        for (int k = 0; k < 2; ++k) {
            f.Check3(k).setValue(c.ticked);
            f.Text1(k).setText(u(c.text));
            f.Text1(k).setForeColor(c.color);
        }
        click();
        EXPECT_EQ(f.state.Keyword1, u(c.taken)) << c.text;
        EXPECT_EQ(f.state.Keyword2, u(c.taken)) << c.text;
        click();
        EXPECT_TRUE(f.state.Keyword1.isEmpty());
    }
}

TEST_F(WatchCycleTest, NoIntervalRefusesTheStartButNeverTheStop)
{
    click();
    ASSERT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(h.dialogs.shown[0].prompt, u("您没选刷新时间，我们不好安排工作呀！"));
    EXPECT_EQ(h.dialogs.shown[0].title, u("提示"));
    EXPECT_EQ(h.dialogs.shown[0].style, MsgBoxStyle::OkOnly);
    EXPECT_FALSE(running());
    EXPECT_EQ(f.Timer1.Interval(), 0);

    chooseInterval(3);
    click();
    ASSERT_TRUE(running());
    f.Option2(3).setValue(false);
    click();
    EXPECT_FALSE(running()) << "a running watch stops without an interval chosen";
    EXPECT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.Timer1.Interval(), 0);
}

TEST_F(WatchCycleTest, RefreshesEveryIntervalFromTheStart)
{
    chooseInterval(0);
    click();
    EXPECT_EQ(runSeconds(9), 0);
    EXPECT_EQ(runSeconds(1), 1);
    EXPECT_EQ(runSeconds(20), 2);
}

TEST_F(WatchCycleTest, RestartCountsFromZeroAgain)
{
    chooseInterval(3);
    click();
    EXPECT_EQ(runSeconds(45), 0);
    click();
    chooseInterval(0);
    click();
    EXPECT_EQ(runSeconds(9), 0);
    EXPECT_EQ(runSeconds(1), 1);
}

TEST_F(WatchCycleTest, ShorterIntervalBelowTheCountKeepsRefreshing)
{
    chooseInterval(3);
    click();
    EXPECT_EQ(runSeconds(45), 0);
    f.state.RefreshTicks = 10; // an interval click during the watch
    EXPECT_EQ(runSeconds(1), 1);
    EXPECT_EQ(runSeconds(10), 1);
}

TEST(AlertTonesTest, PreviewButtonsPlayTheirTones)
{
    ProgramHarness h;
    Form1& f = h.form();
    const QString host = h.program->sites().toneHost;
    for (int k = 0; k < 4; ++k)
        f.Command2(k).Click.raise();
    for (int k = 0; k < 3; ++k)
        f.Command3(k).Click.raise();
    QStringList expected;
    for (int tone = 1; tone <= 7; ++tone)
        expected << host + QString::number(tone) + QStringLiteral(".mp3");
    EXPECT_EQ(h.components.player->urls, expected);
}

TEST(AlertTonesTest, ToneAsksForAttentionOnlyWhileTheWindowIsInactive)
{
    ProgramHarness h;
    Form1& f = h.form();
    f.show();
    for (const bool active : { false, true }) {
        setActiveWindow(active ? &f : nullptr);
        const int before = h.shell.attentionAsked;
        f.Command2(0).Click.raise();
        EXPECT_EQ(h.shell.attentionAsked - before, active ? 0 : 1) << "active: " << active;
    }
}

} // namespace
