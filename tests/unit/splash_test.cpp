#include "program_harness.h"

#include <gtest/gtest.h>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

struct SplashCase {
    const char* name;
    std::optional<QString> title; // nothing: no document at all
    int answer;
    const char* message; // nullptr: no message
    const char* caption;
    bool mainSurvives;
    bool downloadOpened;
};

class SplashCheckTest : public ::testing::TestWithParam<SplashCase> { };

TEST_P(SplashCheckTest, SixthTickAnswersTheStartPage)
{
    const SplashCase& c = GetParam();
    ProgramHarness h;
    h.dialogs.answers = { c.answer };
    if (c.title)
        h.pane(2).setDocument(Document { *c.title, QString() });
    QPointer<Form1> main = &h.form();
    QPointer<Form3> splash = h.program->splash();

    for (int tick = 1; tick <= 5; ++tick) {
        splash->Timer1.tick();
        EXPECT_EQ(splash->Label1.Caption(), QString::number(tick));
        EXPECT_FALSE(main->isVisible()) << "the main window is shown on the sixth tick, not before";
    }
    EXPECT_TRUE(h.dialogs.shown.empty());
    splash->Timer1.tick();

    EXPECT_EQ(splash->Label1.Caption(), QStringLiteral("6"));
    EXPECT_TRUE(splash->isUnloading());
    if (c.message) {
        ASSERT_EQ(h.dialogs.shown.size(), 1u);
        EXPECT_EQ(h.dialogs.shown[0].prompt, u(c.message));
        EXPECT_EQ(h.dialogs.shown[0].title, u(c.caption));
        EXPECT_EQ(h.dialogs.shown[0].style, MsgBoxStyle::OkCancel);
    } else {
        EXPECT_TRUE(h.dialogs.shown.empty());
    }
    EXPECT_EQ(!main->isUnloading(), c.mainSurvives);
    EXPECT_EQ(main->isVisible(), c.mainSurvives);
    EXPECT_EQ(h.shell.opened,
        c.downloadOpened
            ? QStringList { h.program->sites().maker + QStringLiteral("/corvalen.htm") }
            : QStringList {});
}

const char* const kUpdate = "发现新版本了哦，更多方便功能，快到官网下载吧！";
const char* const kUpdateTitle = "更新提示";
const char* const kNetwork = "当前网络存在问题，将关闭软件，请检查网络连接！";
const char* const kNetworkTitle = "连接故障";

INSTANTIATE_TEST_SUITE_P(Titles, SplashCheckTest,
    ::testing::Values(SplashCase { "Current", QStringLiteral("1.3.0"), MsgBoxResult::Ok, nullptr,
                          nullptr, true, false },
        SplashCase { "NewerOk", QStringLiteral("1.3.1"), MsgBoxResult::Ok, kUpdate, kUpdateTitle,
            true, true },
        SplashCase { "NewerCancel", QStringLiteral("1.3.1"), MsgBoxResult::Cancel, kUpdate,
            kUpdateTitle, true, false },
        SplashCase { "LeadingBlank", QStringLiteral(" 1.3.0"), MsgBoxResult::Ok, kUpdate,
            kUpdateTitle, true, true },
        SplashCase { "TrailingBlank", QStringLiteral("1.3.0 "), MsgBoxResult::Cancel, kUpdate,
            kUpdateTitle, true, false },
        SplashCase { "EmptyTitle", QString(), MsgBoxResult::Ok, kUpdate, kUpdateTitle, true, true },
        SplashCase {
            "NoDocument", std::nullopt, MsgBoxResult::Cancel, kUpdate, kUpdateTitle, true, false },
        SplashCase { "NetworkOk", QString::fromUtf8("错误：没有可以显示的页面 - x"),
            MsgBoxResult::Ok, kNetwork, kNetworkTitle, false, false },
        SplashCase { "NetworkCancel", QString::fromUtf8("没有可以显示的页面"), MsgBoxResult::Cancel,
            kNetwork, kNetworkTitle, true, false }),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(SplashTest, LoadMakesTheMainWindowHiddenAndStartsTheSecondTimer)
{
    ProgramHarness h;
    Form3* splash = h.program->splash();
    EXPECT_EQ(splash->Timer1.Interval(), 1000);
    EXPECT_TRUE(splash->Picture1.hasPicture());
    EXPECT_EQ(splash->Label1.Caption(), QStringLiteral("0"));
    EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FLOAT_EQ(splash->ScaleWidth(), 1110);
    EXPECT_FLOAT_EQ(splash->ScaleHeight(), 1080);
    EXPECT_TRUE(h.form().isLoaded());
    EXPECT_FALSE(h.form().isVisible());
}

TEST(SplashTest, TickWhileTheMessageIsOpenOnlyCounts)
{
    ProgramHarness h;
    Form3* splash = h.program->splash();
    h.pane(2).setDocument(Document { QStringLiteral("1.3.1"), QString() });
    h.dialogs.answers = { MsgBoxResult::Cancel };
    // The box of the sixth tick is modal; the seventh tick arrives while it is open.
    h.dialogs.whileOpen = [&] { splash->Timer1.tick(); };
    for (int i = 0; i < 6; ++i)
        splash->Timer1.tick();
    EXPECT_EQ(splash->SplashTicks, 7);
    EXPECT_EQ(splash->Label1.Caption(), QStringLiteral("7"));
    EXPECT_EQ(h.dialogs.shown.size(), 1u);
    EXPECT_TRUE(h.form().isVisible());
}

TEST(SplashTest, ProgramEndsWhenTheLastWindowIsGone)
{
    ProgramHarness h;
    bool ended = false;
    QObject::connect(h.program.get(), &Corvalen::lastWindowGone, [&] { ended = true; });
    h.pane(2).setDocument(Document { QString::fromUtf8("没有可以显示的页面"), QString() });
    for (int i = 0; i < 6; ++i)
        h.program->splash()->Timer1.tick();
    EXPECT_TRUE(ended);
}

} // namespace
