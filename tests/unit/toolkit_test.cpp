#include "app/qt_translations.h"
#include "event_spy.h"
#include "eventually.h"
#include "toolkit/button.h"
#include "toolkit/check_box.h"
#include "toolkit/colors.h"
#include "toolkit/control_array.h"
#include "toolkit/font_face.h"
#include "toolkit/form.h"
#include "toolkit/frame.h"
#include "toolkit/text_box.h"
#include "toolkit/timer.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

using namespace corvalen;
using corvalen::testing::EventSpy;

namespace {

struct ColorCase {
    std::uint32_t value;
    QColor expected;
};

class ColorTest : public ::testing::TestWithParam<ColorCase> { };

TEST_P(ColorTest, ValueMapsToRgbOrSystemColour)
{
    EXPECT_EQ(toQColor(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Colours, ColorTest,
    ::testing::Values(ColorCase { 0x000000FF, QColor(255, 0, 0) },
        ColorCase { 0x0080C0FF, QColor(255, 192, 128) }, ColorCase { 0x00000000, QColor(0, 0, 0) },
        ColorCase { 0x00FF0000, QColor(0, 0, 255) },
        ColorCase { Colors::ButtonFace, QColor(0xF0, 0xF0, 0xF0) },
        ColorCase { Colors::ButtonShadow, QColor(0xA0, 0xA0, 0xA0) },
        ColorCase { Colors::AppWorkspace, QColor(0xAB, 0xAB, 0xAB) }),
    [](const auto& testInfo) {
        return "Value" + QString::number(testInfo.param.value, 16).toStdString();
    });

TEST(CheckBoxTest, CodeChangeRunsClickNestedAndSameValueRunsNothing)
{
    QWidget parent;
    CheckBox outer(&parent);
    CheckBox inner(&parent);
    std::vector<QString> trace;
    outer.Click.connect([&] {
        trace.push_back(QStringLiteral("outer start"));
        inner.setValue(1);
        trace.push_back(QStringLiteral("outer end"));
    });
    inner.Click.connect([&] { trace.push_back(QStringLiteral("inner %1").arg(inner.Value())); });

    outer.setValue(1);
    outer.setValue(1);
    EXPECT_EQ(trace,
        (std::vector<QString> { QStringLiteral("outer start"), QStringLiteral("inner 1"),
            QStringLiteral("outer end") }));
    EXPECT_TRUE(static_cast<QCheckBox*>(inner.widget())->isChecked());
}

TEST(CheckBoxTest, UserClickAndSpaceBarRunClickOnce)
{
    QWidget parent;
    CheckBox box(&parent);
    box.move(0, 0, 1500, 300);
    parent.show();
    EventSpy clicks(box.Click);

    QTest::mouseClick(box.widget(), Qt::LeftButton, {}, QPoint(8, 10));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(box.Value(), 1);
    box.widget()->setFocus();
    QTest::keyClick(box.widget(), Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(box.Value(), 0);
}

TEST(OptionButtonTest, GroupsPerContainerAndClearingRunsNothing)
{
    QWidget parent;
    Frame left(&parent);
    Frame right(&parent);
    ControlArray<OptionButton> a(
        3, [&](int) { return std::make_unique<OptionButton>(left.inner(), left.options()); });
    ControlArray<OptionButton> b(
        2, [&](int) { return std::make_unique<OptionButton>(right.inner(), right.options()); });
    std::vector<int> clicked;
    a.connect(&OptionButton::Click, [&](int i) { clicked.push_back(i); });

    b(1).setValue(true);
    static_cast<QRadioButton*>(a(0).widget())->click();
    static_cast<QRadioButton*>(a(2).widget())->click();
    static_cast<QRadioButton*>(a(2).widget())->click();
    EXPECT_EQ(clicked, (std::vector<int> { 0, 2, 2 }));
    EXPECT_FALSE(a(0).Value());
    EXPECT_TRUE(a(2).Value());
    EXPECT_TRUE(static_cast<QRadioButton*>(a(2).widget())->isChecked());
    EXPECT_TRUE(b(1).Value()) << "another container is another group";

    a(2).setValue(false);
    EXPECT_FALSE(a(2).Value());
    EXPECT_FALSE(static_cast<QRadioButton*>(a(2).widget())->isChecked());
    EXPECT_EQ(clicked.size(), 3u) << "clearing from code runs no handler";
}

TEST(ButtonTest, OnlyGraphicalButtonsShowTheirBackColour)
{
    QWidget parent;
    Button graphical(&parent, ButtonStyle::Graphical);
    Button standard(&parent, ButtonStyle::Standard);
    const QColor face = standard.widget()->palette().color(QPalette::Button);

    graphical.setBackColor(Colors::Marker);
    standard.setBackColor(Colors::Marker);
    EXPECT_EQ(graphical.BackColor(), Colors::Marker);
    EXPECT_EQ(standard.BackColor(), Colors::Marker);
    EXPECT_EQ(graphical.widget()->palette().color(QPalette::Button), QColor(255, 192, 128));
    EXPECT_EQ(standard.widget()->palette().color(QPalette::Button), face);
}

TEST(ButtonTest, ArrayEventsPassTheIndexForClicksAndMouseMoves)
{
    QWidget parent;
    ControlArray<Button> row(
        3, [&](int) { return std::make_unique<Button>(&parent, ButtonStyle::Graphical); });
    for (int i = 0; i < 3; ++i)
        row(i).move(600.0f * i, 0, 600, 300);
    parent.resize(200, 50);
    parent.show();
    std::vector<int> clicks;
    std::vector<int> moves;
    row.connect(&Button::Click, [&](int i) { clicks.push_back(i); });
    row.connect(&Button::MouseMove, [&](int i) { moves.push_back(i); });

    QTest::mouseClick(row(1).widget(), Qt::LeftButton);
    QTest::mouseMove(row(2).widget(), QPoint(5, 5));
    QTest::mouseMove(row(2).widget(), QPoint(9, 6));
    EXPECT_EQ(clicks, std::vector<int> { 1 });
    EXPECT_EQ(moves, (std::vector<int> { 2, 2 }));
}

TEST(ControlTest, GeometryKeepsTwipsAndShowsNegativeSizesAsNothing)
{
    QWidget parent;
    Button button(&parent, ButtonStyle::Standard);
    button.move(380, -75, (4000.0f - 4390.0f) / 5.0f, 900);
    EXPECT_FLOAT_EQ(button.Left(), 380);
    EXPECT_FLOAT_EQ(button.Width(), -78);
    EXPECT_EQ(button.widget()->geometry(), QRect(25, -5, 0, 60));
}

TEST(ControlTest, VisibleAndEnabledReadBackWhatWasSet)
{
    QWidget parent;
    Button button(&parent, ButtonStyle::Standard);
    button.setVisible(true);
    button.setEnabled(false);
    EXPECT_TRUE(button.Visible()) << "the property, even while the window is hidden";
    EXPECT_FALSE(button.Enabled());
    EXPECT_FALSE(button.widget()->isEnabled());
}

TEST(TextBoxTest, ForeColourShowsEvenWhenDisabled)
{
    QWidget parent;
    TextBox box(&parent);
    box.setEnabled(false);
    box.setForeColor(Colors::ButtonShadow);
    EXPECT_EQ(box.ForeColor(), Colors::ButtonShadow);
    EXPECT_EQ(box.widget()->palette().color(QPalette::Disabled, QPalette::Text),
        toQColor(Colors::ButtonShadow));
}

TEST(TimerTest, IntervalZeroStopsTheTicks)
{
    Timer timer;
    EventSpy<> ticks(timer.Tick);
    timer.setInterval(10);
    EXPECT_EVENTUALLY(ticks.count() >= 2, 2000);
    timer.setInterval(0);
    const int stoppedAt = ticks.count();
    corvalen::testing::runEvents(60);
    EXPECT_EQ(ticks.count(), stoppedAt);
    EXPECT_EQ(timer.Interval(), 0);
}

TEST(FormTest, LoadRunsOnceAndUnloadReportsAndDiscards)
{
    QPointer<Form> form = new Form(1110, 1080);
    EventSpy<> loads(form->Load);
    EventSpy<> unloads(form->Unload);
    form->load();
    form->load();
    EXPECT_EQ(loads.count(), 1);
    EXPECT_FLOAT_EQ(form->ScaleWidth(), 1110);
    EXPECT_FLOAT_EQ(form->ScaleHeight(), 1080);
    form->unload();
    form->unload();
    EXPECT_EQ(unloads.count(), 1);
    EXPECT_EVENTUALLY(form.isNull(), 2000);
}

// A design face falls back to its other name, then to a Chinese face of Windows, then of Linux;
// what shows is one of them wherever one is installed.
TEST(FontFaceTest, EachDesignFaceFallsBackToItsOwnOtherNameFirst)
{
    for (const auto& [face, other] : { std::pair("宋体", "SimSun"), std::pair("黑体", "SimHei") }) {
        const QFont font = toQFont({ QString::fromUtf8(face), 9, 400 });
        const QStringList families = font.families();
        EXPECT_EQ(families.join(QLatin1Char(',')),
            QString::fromUtf8(face) + QLatin1Char(',') + QLatin1String(other)
                + QStringLiteral(",Microsoft YaHei,Noto Sans CJK SC,Noto Sans SC"));
        if (std::any_of(families.begin(), families.end(), QFontDatabase::hasFamily)) {
            EXPECT_TRUE(families.contains(QFontInfo(font).family())) << face;
        }
    }
}

// Qt's own texts, the message boxes' buttons among them, speak the system's language.
TEST(QtTranslationsTest, MessageBoxButtonsSpeakTheSystemsLanguage)
{
    for (const auto& [language, ok, cancel] :
        { std::tuple("zh_CN", "确定", "取消"), std::tuple("en_US", "OK", "Cancel") }) {
        const auto translations = installQtTranslations(QLocale(QLatin1String(language)));
        QMessageBox box(QMessageBox::NoIcon, {}, {}, QMessageBox::Ok | QMessageBox::Cancel);
        EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QString::fromUtf8(ok)) << language;
        EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QString::fromUtf8(cancel)) << language;
    }
}

// Only X11 needs the maximized window asked for again once it is shown.
TEST(FormTest, AMaximizedWindowShowsMaximizedWithoutPassingThroughRestored)
{
    Form form(1000, 1000);
    form.setWindowStateValue(WindowState::Maximized);
    form.winId();
    QSignalSpy states(form.windowHandle(), &QWindow::windowStateChanged);
    form.showInItsState();
    for (const QList<QVariant>& state : states)
        EXPECT_NE(state.at(0).value<Qt::WindowState>(), Qt::WindowNoState);
    EXPECT_TRUE(form.isMaximized());
}

TEST(EventTest, HandlerRunsOnlyWhileItsContextLives)
{
    corvalen::Event<int> event;
    EventSpy<int> spy(event);
    std::vector<int> seen;
    auto context = std::make_unique<QObject>();
    event.connect(context.get(), [&seen](int value) { seen.push_back(value); });

    event.raise(1);
    context.reset();
    event.raise(2);
    EXPECT_EQ(seen, std::vector<int> { 1 }) << "the handler of a gone subsystem stays quiet";
    EXPECT_EQ(spy.count(), 2) << "a handler without context keeps running";
}

} // namespace
