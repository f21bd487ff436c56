#include "forms/captions.h"
#include "program_harness.h"

#include <gtest/gtest.h>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString listPage(const QStringList& titles)
{
    QString page = QStringLiteral("<div class=\"full-goods-list\"><ul>");
    for (const QString& title : titles)
        page += QStringLiteral("<li><span>") + u("可用金币兑换") + QStringLiteral("</span><a>")
            + title + QStringLiteral("</a></li>");
    return page + QStringLiteral("</ul></div><div class=\"pagination\">1 2 3</div>");
}

QStringList goods(int count)
{
    QStringList titles;
    for (int i = 0; i < count; ++i)
        titles << QStringLiteral("item%1").arg(i);
    return titles;
}

// The main window on tab 0 with a watch running on the criteria a test sets in the watch state.
class ReaderTest : public ::testing::Test {
protected:
    ReaderTest() { f.Command1(0).setBackColor(Colors::Marker); }

    void watch(
        int low, std::int16_t high, const QString& keyword1 = {}, const QString& keyword2 = {})
    {
        f.Command6.setCaption(stopWatchCaption());
        f.state.RangeLow = low;
        f.state.RangeHigh = high;
        f.state.Keyword1 = keyword1;
        f.state.Keyword2 = keyword2;
    }

    QStringList tonesFor(const QString& body)
    {
        h.components.player->urls.clear();
        h.pane(6).completeLoad(QString(), body);
        QStringList tones;
        for (const QString& url : h.components.player->urls)
            tones << url.mid(h.program->sites().toneHost.size());
        return tones;
    }

    ProgramHarness h;
    Form1& f = h.form();
};

TEST_F(ReaderTest, CountRangesAgainstTheirBounds)
{
    struct Case {
        int low;
        std::int16_t high;
        int count;
        bool alerts;
    };
    const Case cases[] = {
        { 1, 5, 0, false },
        { 1, 5, 3, true },
        { 1, 5, 5, true },
        { 1, 5, 6, false },
        { 6, 10, 6, true },
        { 11, 20, 6, false },
        { 21, 280, 280, true },
        { 21, 280, 281, false },
        { 0, 0, 0, true },
        { 0, 0, 3, false },
    };
    f.Command2(0).setEnabled(true);
    for (const Case& c : cases) {
        watch(c.low, c.high);
        EXPECT_EQ(tonesFor(listPage(goods(c.count))),
            c.alerts ? QStringList { QStringLiteral("1.mp3") } : QStringList {})
            << c.low << "~" << c.high << " with " << c.count;
        EXPECT_EQ(f.Text2.Text(), QString::number(c.count));
    }
}

TEST_F(ReaderTest, CountToneIsTheOneOfTheEnabledPreviewButton)
{
    watch(1, 5);
    EXPECT_TRUE(tonesFor(listPage(goods(3))).isEmpty()) << "all previews disabled: no tone";
    f.Command2(2).setEnabled(true);
    EXPECT_EQ(tonesFor(listPage(goods(3))), QStringList { QStringLiteral("3.mp3") });
    EXPECT_EQ(tonesFor(listPage(goods(3))), QStringList { QStringLiteral("3.mp3") })
        << "every refresh alerts again";
}

TEST_F(ReaderTest, KeywordAlertsPlayFiveSixSeven)
{
    struct Case {
        const char* keyword1;
        const char* keyword2;
        QStringList tones;
    };
    const Case cases[] = {
        { "雨伞", "", { QStringLiteral("5.mp3") } },
        { "", "充电宝", { QStringLiteral("6.mp3") } },
        { "雨伞", "充电宝",
            { QStringLiteral("5.mp3"), QStringLiteral("6.mp3"), QStringLiteral("7.mp3") } },
        { "手表", "充电宝", { QStringLiteral("6.mp3") } },
        { "手表", "台灯", {} },
    };
    // The title of the last item is never searched: it follows the last marker.
    const QString page = listPage({ u("晴雨伞"), u("充电宝 10000"), u("台灯") });
    for (const Case& c : cases) {
        watch(0, 0, u(c.keyword1), u(c.keyword2));
        EXPECT_EQ(tonesFor(page), c.tones) << c.keyword1 << "/" << c.keyword2;
        EXPECT_TRUE(f.state.ScanText.isEmpty());
    }
}

TEST_F(ReaderTest, KeywordIsNotSearchedOutsideTheGatheredText)
{
    watch(0, 0, QStringLiteral("item1"));
    EXPECT_TRUE(tonesFor(listPage(goods(2))).isEmpty()) << "the text after the last marker";
    watch(0, 0, QStringLiteral("pagination"));
    EXPECT_TRUE(tonesFor(listPage(goods(2))).isEmpty());
    watch(0, 0, QStringLiteral("item0"));
    EXPECT_EQ(tonesFor(listPage(goods(2))), QStringList { QStringLiteral("5.mp3") });
}

TEST_F(ReaderTest, RangeAndKeywordTogetherNeverAlert)
{
    f.Command2(0).setEnabled(true);
    watch(1, 5, QStringLiteral("item1"));
    EXPECT_TRUE(tonesFor(listPage(goods(3))).isEmpty());
}

TEST_F(ReaderTest, PagesWithoutTheExpectedStructure)
{
    watch(0, 0, QStringLiteral("x"));
    EXPECT_TRUE(tonesFor(QString()).isEmpty());
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("0"));
    f.Text2.setText(QStringLiteral("-"));
    h.pane(6).completeLoad(QStringLiteral("no body"), std::nullopt);
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("0")) << "a page without a body counts as empty";
    EXPECT_TRUE(tonesFor(u("x可用金币兑换x<li>")).isEmpty()) << "no list region";
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("1"));
}

TEST_F(ReaderTest, GuardsLeaveEverythingAsItWas)
{
    f.Command2(0).setEnabled(true);
    watch(1, 5);
    f.Text2.setText(QStringLiteral("7"));

    f.Command1(0).setBackColor(Colors::ButtonFace);
    EXPECT_TRUE(tonesFor(listPage(goods(3))).isEmpty());
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("7")) << "another tab is selected";

    f.Command1(0).setBackColor(Colors::Marker);
    h.pane(6).setDocument(Document { QString(), listPage(goods(3)) });
    h.pane(6).DocumentComplete.raise(h.pane(2).Object(), QString());
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("7")) << "a document of another browser object";

    f.Command6.setCaption(startWatchCaption());
    EXPECT_TRUE(tonesFor(listPage(goods(3))).isEmpty());
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("3")) << "no watch: the count still shows";
}

} // namespace
