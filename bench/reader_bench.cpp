// The reader's whole run (count, cut, gather, match) on generated list pages of growing size,
// against a baseline that only counts the exchange marker. Compare the two per size: the ratio
// is what the reader costs beyond the one pass a count needs, and it should stay flat as the page
// grows.
#include "watcher/goods_list.h"

#include <benchmark/benchmark.h>

using namespace corvalen::goods_list;

namespace {

QString listPage(qsizetype targetBytes)
{
    QString page = QStringLiteral("<html><body><div class=\"header\">header</div>"
                                  "<div class=\"full-goods-list\"><ul>");
    const QString item = QString::fromUtf8(
        "<li class=\"goods\"><div class=\"pic\"><img src=\"//img.example/item.jpg\"></div>"
        "<div class=\"price\"><span>可用金币兑换</span><em>2000</em></div>"
        "<a class=\"title\" href=\"//item.example/1\">特价好货 家用 晴雨伞 自动折叠 三折 加厚</a>"
        "<p class=\"desc\">限量兑换，先到先得，每人限兑一件</p></li>");
    int n = 0;
    while (page.size() * 2 < targetBytes) {
        page += item;
        if (++n % 97 == 0)
            page += QString::fromUtf8("<li><span>可用金币兑换</span><a>便携 充电宝</a></li>");
    }
    return page + QStringLiteral("</ul></div><div class=\"pagination\">1 2 3</div></body></html>");
}

// The hostile pages of a long watch, each the size of a large list.
enum Hostile { Empty, BrokenUtf8, OutsideTheList, UpperCaseItems, NoList };

QString hostilePage(int kind)
{
    const QString marker = QString::fromUtf8("可用金币兑换");
    switch (kind) {
    case Empty:
        return {};
    case BrokenUtf8:
        return QString::fromUtf8(QByteArray(1'000'000, '\xff') + marker.toUtf8().repeated(2000));
    case OutsideTheList:
        return marker.repeated(20000) + QStringLiteral("full-goods-list<li>x") + marker
            + QStringLiteral("pagination");
    case UpperCaseItems:
        return QStringLiteral("full-goods-list")
            + (QStringLiteral("<LI>") + marker + QStringLiteral(" goods title ")).repeated(20000)
            + QStringLiteral("pagination");
    default:
        return (QStringLiteral("<li>") + marker + QStringLiteral(" goods title ")).repeated(20000);
    }
}

QString pageFor(const benchmark::State& state)
{
    return state.range(1) < 0 ? listPage(state.range(0))
                              : hostilePage(static_cast<int>(state.range(1)));
}

void countOnly(benchmark::State& state)
{
    const QString page = pageFor(state);
    for (auto _ : state) {
        std::size_t count = 0;
        const std::u16string_view text = view(page);
        for (auto at = text.find(kExchangeMarker); at != std::u16string_view::npos;
             at = text.find(kExchangeMarker, at + kExchangeMarker.size()))
            ++count;
        benchmark::DoNotOptimize(count);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * page.size() * 2);
}

void wholeRun(benchmark::State& state)
{
    const QString page = pageFor(state);
    QString scan;
    for (auto _ : state) {
        const std::size_t count = countOccurrences(view(page), kExchangeMarker);
        if (const auto region = listRegion(view(page)))
            gatherScanText(*region, count, scan);
        auto tones = keywordTones(view(scan), u"充电宝", u"手表");
        benchmark::DoNotOptimize(tones);
        scan.clear();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * page.size() * 2);
}

} // namespace

// Arguments: the page size for a generated list (-1 otherwise), then the hostile kind (-1: none).
void pages(benchmark::internal::Benchmark* b)
{
    for (const long size : { 100'000L, 1'000'000L, 10'000'000L })
        b->Args({ size, -1 });
    for (const long kind : { Empty, BrokenUtf8, OutsideTheList, UpperCaseItems, NoList })
        b->Args({ -1, kind });
}

BENCHMARK(countOnly)->Apply(pages)->Unit(benchmark::kMicrosecond);
BENCHMARK(wholeRun)->Apply(pages)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
