#include "program_harness.h"

#include <gtest/gtest.h>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class StepGuideTest : public ::testing::Test {
protected:
    StepGuideTest() { f.Command1(1).Click.raise(); }
    void clickStep(int i) { f.Command4(i).Click.raise(); }

    ProgramHarness h;
    Form1& f = h.form();
};

TEST_F(StepGuideTest, ExactlyOneStepIsMarked)
{
    for (int step : { 3, 0, 4, 4, 1 }) {
        clickStep(step);
        for (int j = 0; j < 5; ++j)
            EXPECT_EQ(f.Command4(j).BackColor(), j == step ? Colors::Marker : Colors::ButtonFace);
    }
    EXPECT_FALSE(f.Command4(1).Enabled());
    EXPECT_FALSE(f.Command4(2).Enabled());
}

TEST_F(StepGuideTest, MessengerStartsByItsPathOrTheUserIsTold)
{
    struct Case {
        std::optional<QString> folder;
        bool starts;
        QStringList started;
        bool told;
    };
    const QString folder = QStringLiteral("C:\\Program Files (x86)\\AliWangWang");
    const Case cases[] = {
        { folder, true, { folder + QStringLiteral("\\aliim.exe") }, false },
        { folder, false, { folder + QStringLiteral("\\aliim.exe") }, true },
        { std::nullopt, true, {}, true },
    };
    for (const Case& c : cases) {
        h.shell.folder = c.folder;
        h.shell.startSucceeds = c.starts;
        h.shell.started.clear();
        h.dialogs.shown.clear();
        clickStep(0);
        EXPECT_EQ(h.shell.started, c.started);
        EXPECT_EQ(h.shell.foldersAskedFor.back(), QStringLiteral("aliim.exe"));
        if (!c.started.isEmpty()) {
            EXPECT_EQ(h.shell.startWindows.back(), StartWindow::Minimized);
        }
        ASSERT_EQ(h.dialogs.shown.size(), c.told ? 1u : 0u);
        if (c.told) {
            EXPECT_EQ(h.dialogs.shown[0].prompt, u("没有找到阿里旺旺，请先安装阿里旺旺。"));
            EXPECT_EQ(h.dialogs.shown[0].title, u("提示"));
            EXPECT_EQ(h.dialogs.shown[0].style, MsgBoxStyle::OkOnly);
        }
    }
}

TEST_F(StepGuideTest, FavouritesOpenInTheWorkingPane)
{
    clickStep(3);
    EXPECT_EQ(h.pane(6).lastNavigation(),
        h.program->sites().favourites + QStringLiteral("/collect_list.htm?itemtype=0"));
}

TEST_F(StepGuideTest, TodaysShopOpensOnlyFromAWebAddressTitle)
{
    struct Case {
        std::optional<QString> title; // nothing: no document yet
        bool opens;
    };
    const Case cases[] = {
        { QStringLiteral("https://shop123.taobao.com/?coin=1"), true },
        { QStringLiteral("http://127.0.0.1:8080/shop.htm"), true },
        { QString(), false },
        { std::nullopt, false },
        { QStringLiteral("javascript:alert(1)"), false },
        { QStringLiteral("file:///etc/passwd"), false },
        { u("今天的店铺"), false },
        { QStringLiteral("https://"), false },
    };
    for (const Case& c : cases) {
        h.pane(4).setDocument(
            c.title ? std::optional<Document>(Document { *c.title, QString() }) : std::nullopt);
        const QStringList before = h.pane(6).navigations;
        h.dialogs.shown.clear();
        clickStep(4);
        if (c.opens) {
            EXPECT_EQ(h.pane(6).lastNavigation(), *c.title);
            EXPECT_TRUE(h.dialogs.shown.empty());
        } else {
            EXPECT_EQ(h.pane(6).navigations, before) << (c.title ? c.title->toStdString() : "none");
            ASSERT_EQ(h.dialogs.shown.size(), 1u);
            EXPECT_EQ(h.dialogs.shown[0].prompt, u("还没有读到今天的店铺地址，请稍后再试。"));
        }
    }
}

TEST_F(StepGuideTest, ToggleRoundTripAndItsExactCaptionTest)
{
    f.WebBrowser4.setWidth(4030);
    f.Command7.Click.raise();
    EXPECT_FALSE(f.WebBrowser4.Visible());
    EXPECT_EQ(f.Command7.Caption(), QStringLiteral(">"));
    EXPECT_FLOAT_EQ(f.Command7.Left(), 380);
    EXPECT_EQ(f.Command7.ToolTipText(), u("显示淘金币领取步骤技巧"));

    f.Command7.Click.raise();
    EXPECT_TRUE(f.WebBrowser4.Visible());
    EXPECT_FLOAT_EQ(f.WebBrowser4.Left(), 380);
    EXPECT_FLOAT_EQ(f.Command7.Left(), 3920);
    EXPECT_EQ(f.Command7.Caption(), QStringLiteral("<"));
    EXPECT_EQ(f.Command7.ToolTipText(), u("隐藏淘金币领取步骤技巧"));

    f.Command7.setCaption(QStringLiteral("< "));
    f.Command7.Click.raise();
    EXPECT_TRUE(f.WebBrowser4.Visible()) << "only the caption \"<\" hides the strip";
    EXPECT_EQ(f.Command7.Caption(), QStringLiteral("<"));
}

} // namespace
