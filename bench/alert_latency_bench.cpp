// From a completed load of the watched list to the tone address handed to the player, through
// the program's own handlers (tab marker, reader, tones) on test doubles. The baseline is the
// same load while no watch runs: the reader counts and shows the goods, and plays nothing.
#include "forms/captions.h"
#include "program_harness.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

QString listPage(int goods, int padding)
{
    QString page = QStringLiteral("<div class=\"full-goods-list\"><ul>");
    for (int i = 0; i < goods; ++i)
        page += QStringLiteral("<li><b>") + QString::fromUtf8("可用金币兑换")
            + QStringLiteral("</b>雨伞</li>");
    return page + QString(padding, QLatin1Char(' '))
        + QStringLiteral("</ul></div><div class=\"pagination\"></div>");
}

void completedLoad(benchmark::State& state, bool watching)
{
    ProgramHarness h;
    Form1& f = h.form();
    f.Command1(0).Click.raise();
    f.Command2(0).setEnabled(true);
    if (watching) {
        f.Command6.setCaption(stopWatchCaption());
        f.state.RangeLow = 1;
        f.state.RangeHigh = 5;
    }
    const QString page = listPage(3, static_cast<int>(state.range(0)));
    for (auto _ : state)
        h.pane(6).completeLoad(QString(), page);
    if (watching && h.components.player->urls.size() != state.iterations())
        state.SkipWithError("a load did not sound its tone");
    state.SetLabel(watching ? "tone handed to the player" : "count shown, no watch");
}

void toneAfterLoad(benchmark::State& state)
{
    completedLoad(state, true);
}
void countOnlyLoad(benchmark::State& state)
{
    completedLoad(state, false);
}

} // namespace

BENCHMARK(countOnlyLoad)->Arg(0)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(toneAfterLoad)->Arg(0)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
