// The time from program start to the splash shown (which builds the main window, hidden, with
// its six panes and the player first) and to the main window built, on the real engine. The
// baseline is a window with six bare browser views, shown: what the panes cost at the least.
#include "app/corvalen.h"
#include "platform/qt_desktop_shell.h"
#include "platform/webengine_components.h"
#include "toolkit/dialogs.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <benchmark/benchmark.h>

using namespace corvalen;

namespace {

class SilentDialogs : public Dialogs {
public:
    int MsgBox(const QString&, int, const QString&) override { return MsgBoxResult::Cancel; }
};

QtDesktopShell shell;
SilentDialogs dialogs;

void sixBrowserViews(benchmark::State& state)
{
    for (auto _ : state) {
        QWidget window;
        for (int i = 0; i < 6; ++i)
            (new QWebEngineView(&window))->setGeometry(i * 100, 0, 100, 300);
        window.show();
    }
}

void splashShown(benchmark::State& state)
{
    const QTemporaryDir store;
    const BrowserStoreLock lock(store.path());
    WebEngineComponents components(shell, lock);
    for (auto _ : state) {
        Corvalen program({ components, shell, dialogs }, Sites::production());
        program.start();
        if (!program.splash() || !program.splash()->isVisible())
            state.SkipWithError("no splash");
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void mainWindowBuilt(benchmark::State& state)
{
    const QTemporaryDir store;
    const BrowserStoreLock lock(store.path());
    WebEngineComponents components(shell, lock);
    for (auto _ : state) {
        Form1 form(components, QStringLiteral("10000"));
        benchmark::DoNotOptimize(form.Command6.Caption());
    }
}

} // namespace

BENCHMARK(sixBrowserViews)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(mainWindowBuilt)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(splashShown)->Iterations(10)->Unit(benchmark::kMillisecond);

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    {
        // The engine starts once per process; that first start is not what is measured.
        QWebEngineView warmUp;
        warmUp.show();
        QCoreApplication::processEvents();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
