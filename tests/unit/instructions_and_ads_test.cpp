#include "forms/form2.h"
#include "program_harness.h"

#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

class InstructionsTest : public ::testing::Test {
protected:
    Form2* window() const
    {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* form = qobject_cast<Form2*>(top); form && !form->isUnloading())
                return form;
        }
        return nullptr;
    }
    int openWindows() const
    {
        int n = 0;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* form = qobject_cast<Form2*>(top); form && !form->isUnloading())
                ++n;
        }
        return n;
    }

    ProgramHarness h;
    Form1& f = h.form();
    const QString page = h.program->sites().maker + QStringLiteral("/corvalen/shuoming.htm");
};

TEST_F(InstructionsTest, OneWindowOnePageLoadUntilItIsClosed)
{
    f.Command8.Click.raise();
    f.Command8.Click.raise();
    EXPECT_EQ(openWindows(), 1);
    Form2* shown = window();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(
        h.components.pane(QStringLiteral("Form2.WebBrowser1")).navigations, QStringList { page });

    shown->Command1.Click.raise();
    EXPECT_EQ(openWindows(), 0);
    f.Command8.Click.raise();
    EXPECT_EQ(openWindows(), 1);
    EXPECT_EQ(
        h.components.pane(QStringLiteral("Form2.WebBrowser1")).navigations, QStringList { page })
        << "a new window, loading the page afresh";
}

TEST_F(InstructionsTest, WindowIsBorderlessOnTopWithoutTaskbarEntryAndKeepsItsSize)
{
    f.Command8.Click.raise();
    Form2* shown = window();
    ASSERT_NE(shown, nullptr);
    const Qt::WindowFlags flags = shown->windowFlags();
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_FALSE(shown->isModal());
    EXPECT_FLOAT_EQ(shown->ScaleWidth(), 7950);
    EXPECT_FLOAT_EQ(shown->ScaleHeight(), 5295);
    EXPECT_EQ(shown->minimumSize(), shown->maximumSize());
    EXPECT_EQ(shown->Label1.Caption(), QString::fromUtf8("软件说明"));
    EXPECT_EQ(shown->Command1.Caption(), QStringLiteral("x"));
}

TEST_F(InstructionsTest, ItsPaneIsNotMadeSilent)
{
    f.Command8.Click.raise();
    FakePane& pane = h.components.pane(QStringLiteral("Form2.WebBrowser1"));
    pane.DownloadBegin.raise();
    EXPECT_FALSE(pane.Silent());
}

class AdPanelTest : public ::testing::Test {
protected:
    int redButtons() const
    {
        int n = 0;
        for (int i = 0; i < 16; ++i)
            n += f.Command5(i).BackColor() == Colors::Red ? 1 : 0;
        return n;
    }
    QString advert(int n) const
    {
        return h.program->sites().maker + QStringLiteral("/corvalen/guanggao/gg%1.htm").arg(n);
    }

    ProgramHarness h;
    Form1& f = h.form();
};

TEST_F(AdPanelTest, HoverShowsTheAdvertAndMarksOneButton)
{
    EXPECT_EQ(redButtons(), 0);
    f.Command5(15).MouseMove.raise();
    EXPECT_EQ(h.pane(5).lastNavigation(), advert(16));
    EXPECT_EQ(f.Command5(15).BackColor(), Colors::Red);
    EXPECT_EQ(redButtons(), 1);
    f.Command5(2).MouseMove.raise();
    EXPECT_EQ(h.pane(5).lastNavigation(), advert(3));
    EXPECT_EQ(f.Command5(15).BackColor(), Colors::ButtonFace);
    EXPECT_EQ(redButtons(), 1);
}

TEST_F(AdPanelTest, EveryMouseMoveOverTheRealButtonNavigatesAndAClickAddsNothing)
{
    f.setScreenWidthOverride(19200);
    f.show();
    const int before = h.pane(5).navigations.size();
    QWidget* button = f.Command5(6).widget();
    for (const QPoint at : { QPoint(3, 3), QPoint(6, 4), QPoint(9, 5) }) {
        QMouseEvent move(QEvent::MouseMove, at, button->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
            Qt::NoModifier);
        QApplication::sendEvent(button, &move);
    }
    EXPECT_EQ(h.pane(5).navigations.size(), before + 3);
    EXPECT_EQ(h.pane(5).lastNavigation(), advert(7));
    const int afterMoves = h.pane(5).navigations.size();
    QTest::mouseClick(f.Command5(6).widget(), Qt::LeftButton, {}, QPoint(9, 5));
    EXPECT_EQ(h.pane(5).navigations.size(), afterMoves);
    QTest::mouseMove(f.WebBrowser6.widget(), QPoint(20, 20));
    EXPECT_EQ(f.Command5(6).BackColor(), Colors::Red) << "leaving keeps the mark";
}

} // namespace
