#include "eventually.h"
#include "program_harness.h"
#include "toolkit/colors.h"

#include <QLineEdit>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class MainWindowLoadTest : public ::testing::Test {
protected:
    ProgramHarness h;
    Form1& f = h.form();
};

TEST_F(MainWindowLoadTest, FirstPagesOfEveryPane)
{
    const QString maker = h.program->sites().maker;
    EXPECT_EQ(
        h.pane(1).navigations, QStringList { maker + QStringLiteral("/corvalen/guanggao.htm") });
    EXPECT_EQ(h.pane(2).navigations,
        QStringList { maker + QStringLiteral("/corvalen/corvalen2345.htm") });
    EXPECT_EQ(h.pane(3).navigations, QStringList { QStringLiteral("about:blank") });
    EXPECT_EQ(h.pane(4).navigations, QStringList { QStringLiteral("about:blank") });
    EXPECT_EQ(h.pane(5).navigations,
        QStringList { maker + QStringLiteral("/corvalen/guanggao/gg1.htm") });
    EXPECT_EQ(h.pane(6).navigations, QStringList { QStringLiteral("about:blank") });
}

TEST_F(MainWindowLoadTest, StateWhenFirstShown)
{
    struct Row {
        const char* name;
        Control* control;
        bool visible;
        bool enabled;
    };
    std::vector<Row> rows = {
        { "Command8", &f.Command8, true, true },
        { "Command4(0)", &f.Command4(0), false, true },
        { "Command4(1)", &f.Command4(1), false, false },
        { "Command4(2)", &f.Command4(2), false, false },
        { "Command4(3)", &f.Command4(3), false, true },
        { "Command4(4)", &f.Command4(4), false, true },
        { "Command7", &f.Command7, false, true },
        { "WebBrowser1", &f.WebBrowser1, true, true },
        { "WebBrowser2", &f.WebBrowser2, true, true },
        { "WebBrowser3", &f.WebBrowser3, false, true },
        { "WebBrowser4", &f.WebBrowser4, false, true },
        { "WebBrowser5", &f.WebBrowser5, true, true },
        { "WebBrowser6", &f.WebBrowser6, true, true },
        { "Text2", &f.Text2, true, false },
        { "Check1", &f.Check1, true, false },
        { "Check2", &f.Check2, true, false },
        { "Command6", &f.Command6, true, false },
        { "Command3(2)", &f.Command3(2), true, true },
        { "Frame1", &f.Frame1, true, true },
        { "Label5", &f.Label5, true, true },
        { "WindowsMediaPlayer1", &f.WindowsMediaPlayer1, true, true },
    };
    for (int i = 0; i < 5; ++i)
        rows.push_back({ "Command1(i)", &f.Command1(i), true, true });
    for (int i = 0; i < 16; ++i)
        rows.push_back({ "Command5(i)", &f.Command5(i), true, true });
    for (int i = 0; i < 4; ++i) {
        rows.push_back({ "Option1(i)", &f.Option1(i), true, false });
        rows.push_back({ "Option2(i)", &f.Option2(i), true, false });
        rows.push_back({ "Command2(i)", &f.Command2(i), true, false });
    }
    for (int i = 0; i < 2; ++i) {
        rows.push_back({ "Check3(i)", &f.Check3(i), true, false });
        rows.push_back({ "Text1(i)", &f.Text1(i), true, false });
        rows.push_back({ "Command3(i)", &f.Command3(i), true, false });
    }
    for (const Row& row : rows) {
        EXPECT_EQ(row.control->Visible(), row.visible) << row.name;
        EXPECT_EQ(row.control->Enabled(), row.enabled) << row.name;
    }
}

TEST_F(MainWindowLoadTest, WindowPropertiesAndNoCriterionSet)
{
    EXPECT_EQ(f.Caption(), QStringLiteral("Corvalen 1.3.0 "));
    EXPECT_EQ(f.windowStateValue(), WindowState::Maximized);
    EXPECT_FALSE(f.windowIcon().isNull());
    EXPECT_EQ(f.Timer1.Interval(), 0);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(f.Command1(i).BackColor(), Colors::ButtonFace);
    EXPECT_EQ(f.Check1.Value(), 0);
    EXPECT_EQ(f.Check2.Value(), 0);
    for (int k = 0; k < 4; ++k) {
        EXPECT_FALSE(f.Option1(k).Value());
        EXPECT_FALSE(f.Option2(k).Value());
    }
    EXPECT_EQ(f.Text2.Text(), QString());
    EXPECT_EQ(f.state.RefreshTicks, 0);
}

TEST_F(MainWindowLoadTest, InventoryFactsThatAreEasyToGetWrong)
{
    EXPECT_EQ(f.Command6.Caption(), u("Corvalen上岗"));
    EXPECT_EQ(f.Command6.BackColor(), Colors::Red);
    EXPECT_EQ(f.Command6.Style(), ButtonStyle::Graphical);
    EXPECT_EQ(f.Command8.Style(), ButtonStyle::Standard);
    EXPECT_EQ(f.Command3(2).ToolTipText(), u("提示音6"));
    EXPECT_EQ(f.Command3(0).ToolTipText(), u("提示音5"));
    EXPECT_EQ(f.Command2(3).ToolTipText(), u("提示音4"));
    EXPECT_EQ(f.Command7.ToolTipText(), QString());
    EXPECT_EQ(f.Command5(15).Caption(), QStringLiteral("16"));
    EXPECT_FLOAT_EQ(f.Command5(15).Top(), 2040 + 240 * 15);
    EXPECT_FLOAT_EQ(f.Command1(4).Top(), 5400);
    EXPECT_FLOAT_EQ(f.WebBrowser4.Left(), 49272);
    EXPECT_FLOAT_EQ(f.Frame3.Top(), -75);
    EXPECT_FLOAT_EQ(f.Option2(3).Width(), 975);
    EXPECT_EQ(f.Label1.Caption(), u("关键词 搜  索  设  定"));
    EXPECT_EQ(f.Label5.Caption(), u("联系QQ：") + h.program->sites().contactQq);
    EXPECT_EQ(
        f.Command4(0).Caption(), u("1、点此打开阿里旺旺(家用电脑建议勾选“记住密码”和“自动登录”)"));
    EXPECT_EQ(f.WindowsMediaPlayer1->URL(), QString());
}

TEST_F(MainWindowLoadTest, StackingOfThePanes)
{
    auto stackIndex = [this](Control& control) {
        return f.children().indexOf(control.widget()); // later children lie in front
    };
    EXPECT_GT(stackIndex(f.WebBrowser4), stackIndex(f.WebBrowser3));
    EXPECT_GT(stackIndex(f.Command7), stackIndex(f.WebBrowser4));
    EXPECT_GT(stackIndex(f.WebBrowser3), stackIndex(f.WebBrowser2));
    EXPECT_GT(stackIndex(f.WebBrowser2), stackIndex(f.WebBrowser6));
    EXPECT_GT(stackIndex(f.WebBrowser6), stackIndex(f.Command3(2)));
    EXPECT_GT(stackIndex(f.Command3(2)), stackIndex(f.WindowsMediaPlayer1));
    EXPECT_GT(stackIndex(f.WebBrowser5), stackIndex(f.Command5(1)));
    EXPECT_GT(stackIndex(f.Command5(8)), stackIndex(f.WebBrowser5));
}

// Every control of the main window, each array member on its own.
std::vector<Control*> everyControl(Form1& f)
{
    std::vector<Control*> all { &f.Frame1, &f.Frame2, &f.Frame3, &f.Frame4, &f.Frame5, &f.Command6,
        &f.Command7, &f.Command8, &f.Check1, &f.Check2, &f.Text2, &f.Label1, &f.Label2, &f.Label4,
        &f.Label5, &f.WebBrowser1, &f.WebBrowser2, &f.WebBrowser3, &f.WebBrowser4, &f.WebBrowser5,
        &f.WebBrowser6, &f.WindowsMediaPlayer1 };
    auto add = [&all](auto& array) {
        for (int i = 0; i < array.Count(); ++i)
            all.push_back(&array(i));
    };
    add(f.Command1), add(f.Command2), add(f.Command3), add(f.Command4), add(f.Command5);
    add(f.Check3), add(f.Option1), add(f.Option2), add(f.Text1), add(f.Label3);
    return all;
}

TEST_F(MainWindowLoadTest, TabKeyVisitsEveryControlThatTakesTheFocusInTabIndexOrder)
{
    // A browser pane hands its focus to an inner widget that its page makes after the window,
    // one pane at a time.
    for (PaneControl* pane : { &f.WebBrowser2, &f.WebBrowser6 }) {
        auto* page = new QWidget(pane->widget());
        page->setFocusPolicy(Qt::StrongFocus);
        pane->widget()->setFocusProxy(page);
        runEvents(0);
    }
    std::map<QWidget*, Control*> byWidget;
    std::size_t focusable = 0;
    for (Control* control : everyControl(f)) {
        byWidget[control->widget()] = control;
        focusable += (control->widget()->focusPolicy() & Qt::TabFocus) ? 1 : 0;
    }
    std::vector<int> visited;
    QWidget* const first = f.Command1(0).widget();
    QWidget* widget = first;
    do {
        const auto found = byWidget.find(widget);
        if (found != byWidget.end() && (widget->focusPolicy() & Qt::TabFocus))
            visited.push_back(found->second->TabIndex());
        widget = widget->nextInFocusChain();
    } while (widget != first);

    EXPECT_EQ(visited.size(), focusable) << "every such control is in the chain once";
    EXPECT_TRUE(std::is_sorted(visited.begin(), visited.end()));
    for (Control* control :
        std::vector<Control*> { &f.WebBrowser6, &f.Command3(2), &f.WindowsMediaPlayer1 })
        EXPECT_TRUE(control->widget()->focusPolicy() & Qt::TabFocus) << control->TabIndex();
}

} // namespace
