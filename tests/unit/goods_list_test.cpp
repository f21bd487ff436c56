#include "watcher/goods_list.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace corvalen;
using namespace corvalen::goods_list;

namespace {

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString gathered(const QString& body, std::size_t count)
{
    QString out;
    if (const auto region = listRegion(view(body)))
        gatherScanText(*region, count, out);
    return out;
}

const char* const kWorkedExample
    = "<div>full-goods-list<ul><li>A可用金币兑换X</li><li>B可用金币兑换Y</li></ul>pagination</div>";

TEST(GoodsListTest, CountsNonOverlappingMarkersAnywhereInTheHtml)
{
    struct Case {
        const char* body;
        std::size_t count;
    };
    const Case cases[] = {
        { "", 0 },
        { "no goods here", 0 },
        { "可用金币兑换", 1 },
        { "<a title=\"可用金币兑换\">可用金币兑换</a><!--可用金币兑换-->", 3 },
        { "可用金币兑换可用金币兑换可用金币兑", 2 },
        { "可用金币兑 换", 0 },
        { kWorkedExample, 2 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(countOccurrences(view(u(c.body)), kExchangeMarker), c.count) << c.body;
}

TEST(GoodsListTest, WorkedExampleGathersOnlyTheTextBeforeEachItemTag)
{
    const QString body = u(kWorkedExample);
    EXPECT_EQ(gathered(body, 2), QStringLiteral("<ul>X</li>"));
    const QString scan = gathered(body, 2);
    EXPECT_EQ(keywordTones(view(scan), u"X", u""), std::vector<int> { 5 });
    for (const char16_t* missing : { u"A", u"B", u"Y" })
        EXPECT_TRUE(keywordTones(view(scan), missing, u"").empty());
}

TEST(GoodsListTest, RegionAndGatheringOnPagesOfOtherShapes)
{
    struct Case {
        const char* name;
        const char* body;
        std::size_t count;
        std::optional<const char*> scan; // nothing: no list region
    };
    const Case cases[] = {
        { "no list start", "<li>a可用金币兑换b</li>pagination", 1, std::nullopt },
        { "list start at the very end", "x可用金币兑换full-goods-list", 1, std::nullopt },
        { "empty region", "full-goods-listpagination可用金币兑换", 1, std::nullopt },
        { "no pagination: region runs to the end", "full-goods-list甲可用金币兑换乙", 1, "甲" },
        { "second list start closes the region", "full-goods-list甲可用金币兑换乙full-goods-list丙",
            1, "甲" },
        { "upper-case items are gathered whole",
            "full-goods-list<LI>甲可用金币兑换乙<LI>丙可用金币兑换丁pagination", 2,
            "<LI>甲乙<LI>丙" },
        { "items with attributes are gathered whole",
            "full-goods-list<li class=\"a\">甲可用金币兑换乙</li><li "
            "class=\"a\">丙可用金币兑换pagination",
            2, "<li class=\"a\">甲乙</li><li class=\"a\">丙" },
        { "markers outside the region: stop at its last piece",
            "可用金币兑换可用金币兑换full-goods-list甲<li>乙可用金币兑换丙pagination", 3, "甲丙" },
        { "empty item pieces add nothing", "full-goods-list可用金币兑换可用金币兑换<li>x", 2, "" },
    };
    for (const Case& c : cases) {
        const QString body = u(c.body);
        const auto region = listRegion(view(body));
        ASSERT_EQ(region.has_value(), c.scan.has_value()) << c.name;
        if (c.scan) {
            EXPECT_EQ(gathered(body, c.count), u(*c.scan)) << c.name;
        }
    }
}

TEST(GoodsListTest, KeywordTonesFollowTheKeywordsThatAreSet)
{
    struct Case {
        const char16_t* keyword1;
        const char16_t* keyword2;
        std::vector<int> tones;
    };
    const QString scan = u("雨伞 充电宝 Umbrella &amp;");
    const Case cases[] = {
        { u"雨伞", u"", { 5 } },
        { u"", u"充电宝", { 6 } },
        { u"雨伞", u"充电宝", { 5, 6, 7 } },
        { u"手表", u"充电宝", { 6 } },
        { u"雨伞", u"手表", { 5 } },
        { u"umbrella", u"", {} },
        { u"&amp;", u"", { 5 } },
        { u" 充电宝 ", u"", { 5 } },
        { u"  充电宝", u"", {} },
        { u"", u"", {} },
    };
    for (const Case& c : cases)
        EXPECT_EQ(keywordTones(view(scan), c.keyword1, c.keyword2), c.tones)
            << QString::fromStdU16String(c.keyword1).toStdString() << " / "
            << QString::fromStdU16String(c.keyword2).toStdString();
}

TEST(GoodsListTest, RandomPagesNeverBreakTheReader)
{
    const QString parts[] = { u("可用金币兑换"), u("full-goods-list"), u("pagination"), u("<li>"),
        u("<LI>"), u("可用金币"), u("兑换"), u("雨伞"), QStringLiteral("x"), QStringLiteral("<"),
        QString() };
    QRandomGenerator random(20261208);
    for (int round = 0; round < 2000; ++round) {
        QString body;
        const int length = static_cast<int>(random.bounded(40));
        for (int i = 0; i < length; ++i)
            body += parts[random.bounded(static_cast<int>(std::size(parts)))];
        const std::size_t count = countOccurrences(view(body), kExchangeMarker);
        ASSERT_EQ(count, static_cast<std::size_t>(body.count(u("可用金币兑换"))))
            << body.toStdString();
        const QString scan = gathered(body, count);
        ASSERT_LE(scan.size(), body.size());
        ASSERT_LE(keywordTones(view(scan), u"雨伞", u"x").size(), 3u) << scan.toStdString();
    }
}

} // namespace
