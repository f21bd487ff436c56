#include "program_harness.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The main window on the watcher's tab, the criteria panel as the user finds it there.
class CriteriaPanelTest : public ::testing::Test {
protected:
    CriteriaPanelTest() { f.Command1(0).Click.raise(); }

    // A user's click on a check box: the box changes, then its click handlers run.
    void tick(CheckBox& box) { box.setValue(box.Value() ? 0 : 1); }
    void choose(OptionButton& option)
    {
        option.setValue(true);
        option.Click.raise();
    }
    std::size_t messages() const { return h.dialogs.shown.size(); }

    ProgramHarness h;
    Form1& f = h.form();
};

struct ExclusionCase {
    const char* name;
    bool count;
    int range; // -1: none
    bool keyword1;
    bool keyword2;
    const char* click; // "Check1", "Check3(0)", "Check3(1)"
    std::size_t messages;
    int check1;
    int check3[2];
};

class ExclusionTest : public CriteriaPanelTest,
                      public ::testing::WithParamInterface<ExclusionCase> { };

TEST_P(ExclusionTest, LastClickedSearchWins)
{
    const ExclusionCase& c = GetParam();
    if (c.count)
        tick(f.Check1);
    if (c.range >= 0)
        choose(f.Option1(c.range));
    if (c.keyword1)
        tick(f.Check3(0));
    if (c.keyword2)
        tick(f.Check3(1));
    h.dialogs.shown.clear();

    const QString click = QString::fromLatin1(c.click);
    tick(click == QStringLiteral("Check1")
            ? f.Check1
            : f.Check3(click.endsWith(QStringLiteral("(1)")) ? 1 : 0));

    EXPECT_EQ(messages(), c.messages);
    for (const ShownMessage& shown : h.dialogs.shown) {
        EXPECT_EQ(shown.prompt, u("搜索数量和关键词搜索设定不能同时选择，请选择其中之一！"));
        EXPECT_EQ(shown.title, u("重复选择提示"));
        EXPECT_EQ(shown.style, MsgBoxStyle::OkOnly);
    }
    EXPECT_EQ(f.Check1.Value(), c.check1);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(f.Option1(k).Enabled(), c.check1 == 1) << k;
        EXPECT_FALSE(c.check1 == 0 && f.Option1(k).Value()) << k;
        EXPECT_EQ(f.Command2(k).Enabled(), c.check1 == 1 && k == c.range) << k;
    }
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(f.Check3(k).Value(), c.check3[k]) << k;
        EXPECT_EQ(f.Text1(k).Enabled(), c.check3[k] == 1) << k;
        EXPECT_EQ(f.Command3(k).Enabled(), c.check3[k] == 1) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Clicks, ExclusionTest,
    ::testing::Values(
        ExclusionCase { "KeywordOneThenCount", false, -1, true, false, "Check1", 1, 1, { 0, 0 } },
        ExclusionCase { "RangeThenKeywordTwo", true, 2, false, false, "Check3(1)", 1, 0, { 0, 1 } },
        ExclusionCase { "BothKeywordsThenCount", false, -1, true, true, "Check1", 3, 0, { 0, 0 } },
        ExclusionCase {
            "KeywordOneThenKeywordTwo", false, -1, true, false, "Check3(1)", 0, 0, { 1, 1 } },
        ExclusionCase { "CountOff", true, 1, false, false, "Check1", 0, 0, { 0, 0 } }),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(CriteriaPanelTest, RangePreviewFollowsTheChosenRange)
{
    tick(f.Check1);
    for (int k = 0; k < 4; ++k)
        EXPECT_FALSE(f.Command2(k).Enabled());
    choose(f.Option1(0));
    choose(f.Option1(3));
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(f.Command2(k).Enabled(), k == 3);
    tick(f.Check1);
    tick(f.Check1);
    for (int k = 0; k < 4; ++k) {
        EXPECT_FALSE(f.Option1(k).Value());
        EXPECT_FALSE(f.Command2(k).Enabled());
        EXPECT_TRUE(f.Option1(k).Enabled());
    }
}

TEST_F(CriteriaPanelTest, IntervalClicksSetTheRefreshAndUntickingKeepsIt)
{
    tick(f.Check2);
    const int expected[] = { 10, 20, 30, 60 };
    for (int k = 0; k < 4; ++k) {
        EXPECT_TRUE(f.Option2(k).Enabled());
        choose(f.Option2(k));
        EXPECT_EQ(f.state.RefreshTicks, expected[k]);
    }
    tick(f.Check2);
    EXPECT_EQ(f.state.RefreshTicks, 60);
    for (int k = 0; k < 4; ++k) {
        EXPECT_FALSE(f.Option2(k).Value());
        EXPECT_FALSE(f.Option2(k).Enabled());
    }
}

TEST_F(CriteriaPanelTest, KeywordBoxColourLifeCycle)
{
    tick(f.Check3(0));
    tick(f.Check3(1));
    EXPECT_EQ(f.Text1(0).ForeColor(), Colors::AppWorkspace);
    EXPECT_EQ(f.Text1(0).Text(), u("输入关键词")) << "ticking keeps the text";

    f.Text1(0).GotFocus.raise();
    EXPECT_EQ(f.Text1(0).Text(), QString());
    EXPECT_EQ(f.Text1(0).ForeColor(), Colors::Black);
    f.Text1(0).setText(u("雨伞"));
    f.Text1(0).LostFocus.raise();
    EXPECT_EQ(f.Text1(0).Text(), u("雨伞"));
    EXPECT_EQ(f.Text1(0).ForeColor(), Colors::Black);

    f.Text1(0).GotFocus.raise();
    EXPECT_EQ(f.Text1(0).Text(), QString()) << "entering erases even a typed keyword";
    f.Text1(0).LostFocus.raise();
    EXPECT_EQ(f.Text1(0).Text(), u("输入关键词"));
    EXPECT_EQ(f.Text1(0).ForeColor(), Colors::ButtonShadow);
    EXPECT_EQ(f.Text1(1).ForeColor(), Colors::AppWorkspace) << "the other box keeps its colour";

    f.Text1(0).GotFocus.raise();
    f.Text1(0).setText(u("雨伞"));
    f.Text1(0).LostFocus.raise();
    tick(f.Check3(0));
    EXPECT_EQ(f.Text1(0).ForeColor(), Colors::ButtonFace);
    tick(f.Check3(0));
    EXPECT_EQ(f.Text1(0).Text(), u("雨伞"));
    EXPECT_EQ(f.Text1(0).ForeColor(), Colors::AppWorkspace) << "no longer a keyword for a watch";
}

TEST_F(CriteriaPanelTest, EachUserActionOnTheRealWidgetsRunsItsHandlerOnce)
{
    f.show();
    setActiveWindow(&f);
    int check1 = 0;
    int option1 = 0;
    int gotFocus = 0;
    int lostFocus = 0;
    f.Check1.Click.connect([&] { ++check1; });
    f.Option1.connect(&OptionButton::Click, [&](int) { ++option1; });
    f.Text1.connect(&TextBox::GotFocus, [&](int) { ++gotFocus; });
    f.Text1.connect(&TextBox::LostFocus, [&](int) { ++lostFocus; });

    QTest::mouseClick(f.Check1.widget(), Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_EQ(check1, 1);
    EXPECT_EQ(f.Check1.Value(), 1);
    f.Check1.widget()->setFocus();
    QTest::keyClick(f.Check1.widget(), Qt::Key_Space);
    EXPECT_EQ(check1, 2);
    EXPECT_EQ(f.Check1.Value(), 0);
    QTest::keyClick(f.Check1.widget(), Qt::Key_Space);

    QTest::mouseClick(f.Option1(2).widget(), Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_EQ(option1, 1);
    EXPECT_TRUE(f.Option1(2).Value());
    EXPECT_TRUE(f.Command2(2).Enabled());

    QTest::mouseClick(f.Check3(0).widget(), Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_EQ(h.dialogs.shown.size(), 1u) << "keyword over count: one message";
    f.Check3(0).widget()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.Check3(0).widget(), Qt::Key_Tab);
    EXPECT_EQ(gotFocus, 1);
    EXPECT_EQ(f.Text1(0).ForeColor(), Colors::Black);
    QTest::keyClicks(f.Text1(0).widget(), QStringLiteral("abc"));
    QTest::keyClick(f.Text1(0).widget(), Qt::Key_Tab);
    EXPECT_EQ(lostFocus, 1);
    EXPECT_EQ(f.Text1(0).Text(), QStringLiteral("abc"));
}

} // namespace
