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

void countOnly(benchmark::State& state)
{
    const QString page = listPage(state.range(0));
    for (auto _ : state) {
        std::size_t count = 0;
        const std::u16string_view text = view(page);
        for (auto at = text.find(kExchangeMarker); at != std::u16string_view::npos;
             at = text.find(kExchangeMarker, at + kExchangeMarker.size()))
            ++count;
        benchmark::DoNotOptimize(count);
    }
    state.SetBytesProcessed(state.iterations() * page.size() * 2);
}

void wholeRun(benchmark::State& state)
{
    const QString page = listPage(state.range(0));
    QString scan;
    for (auto _ : state) {
        const std::size_t count = countOccurrences(view(page), kExchangeMarker);
        if (const auto region = listRegion(view(page)))
            gatherScanText(*region, count, scan);
        auto tones = keywordTones(view(scan), u"充电宝", u"手表");
        benchmark::DoNotOptimize(tones);
        scan.clear();
    }
    state.SetBytesProcessed(state.iterations() * page.size() * 2);
}

} // namespace

BENCHMARK(countOnly)->Arg(100'000)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(wholeRun)->Arg(100'000)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
