#include "goods_sequence.h"

#include <array>

namespace corvalen::demo {

namespace {
const char* const kFiller[] = { "保温杯 500ml", "纯棉毛巾三条装", "数据线 1.5 米", "洗衣液 2kg",
    "软毛牙刷 4 支", "A5 笔记本", "护眼台灯", "靠枕", "不锈钢饭盒", "厨房纸巾", "玻璃水杯",
    "收纳箱", "晾衣架 10 个", "拖鞋", "抽纸 6 包", "湿巾", "陶瓷碗", "保鲜袋", "香皂", "围巾",
    "手套", "袜子 5 双", "雨衣", "钥匙扣", "鼠标垫" };

struct Step {
    int count;
    bool umbrella;
    bool powerBank;
};
// Counts 3, 8, 15, 25, 0, 4: every range of the criteria panel within six refreshes.
constexpr std::array<Step, 6> kCycle = { { { 3, true, false }, { 8, false, true },
    { 15, true, true }, { 25, false, false }, { 0, false, false }, { 4, true, true } } };

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}
} // namespace

int GoodsSequence::cycleLength()
{
    return static_cast<int>(kCycle.size());
}

QStringList GoodsSequence::goodsOf(int load)
{
    const Step& step = kCycle[static_cast<std::size_t>(load % cycleLength())];
    QStringList goods;
    for (int i = 0; i < step.count; ++i)
        goods << u(kFiller[(i + load) % std::size(kFiller)]);
    // The keyword goods never come last: the text after the last exchange marker is not searched.
    if (step.umbrella && !goods.isEmpty())
        goods[0] = u("全自动晴雨伞");
    if (step.powerBank && goods.size() > 1)
        goods[1] = u("充电宝 10000mAh");
    return goods;
}

QString GoodsSequence::listPage(int load)
{
    const QStringList goods = goodsOf(load);
    QString page
        = u("<!DOCTYPE html><html lang=\"zh-CN\"><head><meta charset=\"utf-8\">"
            "<title>全额兑换 - 淘金币（模拟）</title><style>"
            "body{font-family:sans-serif;margin:0;background:#fff8f0}"
            ".sim{background:#c0392b;color:#fff;padding:6px 12px;font-weight:bold}"
            "ul{list-style:none;padding:8px;display:flex;flex-wrap:wrap;margin:0}"
            "li{width:150px;margin:6px;padding:8px;background:#fff;border:1px solid #f0c080}"
            ".x{color:#c0392b;font-size:12px}.pagination{padding:8px 14px;color:#888}"
            "</style></head><body><div class=\"sim\">这是模拟页面：Corvalen 演示用的全额兑换列表，"
            "每次刷新都会变化。</div>");
    page += QStringLiteral("<p style=\"padding:0 14px\">") + u("第 ") + QString::number(load + 1)
        + u(" 次载入，共 ") + QString::number(goods.size()) + u(" 件全额兑换宝贝")
        + QStringLiteral("</p>");
    page += QStringLiteral("<div id=\"full-goods-list\"><ul>");
    for (const QString& title : goods)
        page += QStringLiteral("<li><span class=\"x\">") + u("可用金币兑换")
            + QStringLiteral("</span><div>") + title.toHtmlEscaped()
            + QStringLiteral("</div></li>");
    page += QStringLiteral("</ul></div><div class=\"pagination\">1 2 3 &gt;</div></body></html>");
    return page;
}

} // namespace corvalen::demo
