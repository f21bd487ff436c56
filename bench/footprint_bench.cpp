// What the program costs a user who keeps it open all day on pages as heavy as the real shop's:
// the proportional memory (PSS) and processor time of the whole process tree (the program and its
// browser processes), on the real engine, with every shopping site served heavy from loopback.
//   (a) idle on the watcher's tab with a 10 s watch running, measured between refreshes;
//   (b) the same after a tour of tabs 2, 3, 4, 1 and back to 0;
//   (c) over many refreshes of the heavy list (CORVALEN_FOOTPRINT_REFRESHES, 1,000 unless told).
// Each window lasts CORVALEN_FOOTPRINT_SECONDS (60 unless told). One run measures three
// configurations, each in a process of its own, and prints them side by side:
//   built       the program as it ships;
//   no-trim     the same without giving freed heap back;
//   keep-pages  hidden panes keep their pages, without trimming: the baseline.
// CORVALEN_FOOTPRINT_TRY_FLAGS adds a fourth column, the program as built with these browser
// engine flags (QTWEBENGINE_CHROMIUM_FLAGS), to try what the engine offers.
// "--config NAME" measures one configuration and prints one line per figure: "name value".
#include "app/corvalen.h"
#include "eventually.h"
#include "fakes.h"
#include "heavy_shop.h"
#include "person_click.h"
#include "platform/webengine_components.h"
#include "process_memory.h"
#include "shop_simulation.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <cstdio>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

int setting(const char* name, int fallback)
{
    return qEnvironmentVariableIsSet(name) ? qEnvironmentVariableIntValue(name) : fallback;
}

void report(const char* name, double value)
{
    std::printf("%s %.2f\n", name, value);
    std::fflush(stdout);
}

// Counts the working pane's loads, so that processor time can be taken between refreshes only.
struct ListLoads {
    int started = 0;
    int completed = 0;
    QElapsedTimer sinceCompleted;
};

struct Window {
    double meanPssMb = 0;
    double cpuPercent = 0;
};

// Over `seconds`: the tree's PSS, averaged over samples every two seconds (a heavy page's heap
// breathes with every refresh), and its processor use in per cent of one core over the parts that
// lie at least two seconds after a completed refresh and before the next one starts. The costly
// readings (the process list, the memory maps) lie outside the timed parts: the measuring process
// is one of the tree.
Window measureWindow(const ListLoads& loads, int seconds)
{
    constexpr int kStepMs = 500;
    double busy = 0;
    double measuredMs = 0;
    double pssSum = 0;
    int pssSamples = 0;
    QElapsedTimer window;
    window.start();
    QList<qint64> tree;
    for (int sample = 0; window.elapsed() < seconds * 1000; ++sample) {
        if (sample % 20 == 0)
            tree = processTree();
        if (sample % 4 == 0) {
            pssSum += processTreePssKb(tree) / 1024.0;
            ++pssSamples;
        }
        const int startedBefore = loads.started;
        const bool settled = loads.completed > 0 && loads.sinceCompleted.elapsed() >= 2000;
        const double cpuBefore = processTreeCpuSeconds(tree);
        QElapsedTimer step;
        step.start();
        runEvents(kStepMs);
        const double cpuAfter = processTreeCpuSeconds(tree);
        if (settled && loads.started == startedBefore) {
            busy += cpuAfter - cpuBefore;
            measuredMs += static_cast<double>(step.elapsed());
        }
    }
    return { pssSum / pssSamples, measuredMs > 0 ? 100.0 * busy / (measuredMs / 1000.0) : -1 };
}

// The tree's PSS once the list has stood still (40 s unless CORVALEN_FOOTPRINT_SETTLE_MS says
// otherwise), averaged over five seconds: the script engine gives a heavy page's garbage back
// only once the page has been idle a while, so a reading taken sooner measures that lag, not
// what is kept.
double settledPssMb()
{
    runEvents(setting("CORVALEN_FOOTPRINT_SETTLE_MS", 40000));
    double sum = 0;
    for (int sample = 0; sample < 5; ++sample) {
        sum += processTreePssKb() / 1024.0;
        runEvents(1000);
    }
    return sum / 5;
}

// Where the memory is, process by process, for whoever reads the figures.
void printProcesses(const char* phase)
{
    for (qint64 pid : processTree()) {
        QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!commandLine.open(QIODevice::ReadOnly))
            continue; // the process has ended since the tree was read
        const QByteArray words = commandLine.readAll().replace('\0', ' ');
        const qsizetype type = words.indexOf("--type=");
        std::printf("# %s pid %lld %s %lld kB\n", phase, static_cast<long long>(pid),
            type < 0 ? "program" : words.mid(type, words.indexOf(' ', type) - type).constData(),
            static_cast<long long>(processTreePssKb({ pid })));
    }
}

void measure(const char* phase, const ListLoads& loads, int seconds)
{
    const Window window = measureWindow(loads, seconds);
    report((QByteArray(phase) + "_pss_mb").constData(), window.meanPssMb);
    report((QByteArray(phase) + "_cpu_percent").constData(), window.cpuPercent);
    printProcesses(phase);
}

int measureConfiguration(const QString& config)
{
    const int seconds = setting("CORVALEN_FOOTPRINT_SECONDS", 60);
    const int refreshes = setting("CORVALEN_FOOTPRINT_REFRESHES", 1000);

    demo::ShopSimulation simulation;
    if (!simulation.start())
        return 1;
    HeavyShop shop;
    Sites sites = simulation.sites();
    shop.serveShopsOf(sites);
    FakeShell shell;
    ScriptedDialogs dialogs;
    const QTemporaryDir store;
    const BrowserStoreLock lock(store.path());
    ComponentOptions options;
    options.givesBackHiddenPages = config != QLatin1String("keep-pages");
    options.trimsHeap = config == QLatin1String("built") || config == QLatin1String("flags");
    WebEngineComponents components(shell, lock, options);
    Corvalen program({ components, shell, dialogs }, sites);
    program.start();
    if (!waitUntil([&] { return program.splash() == nullptr; }, 30000))
        return 1;
    Form1& f = *program.mainWindow();
    ListLoads loads;
    f.WebBrowser6->DownloadBegin.connect([&] { ++loads.started; });
    f.WebBrowser6->DocumentComplete.connect([&](const BrowserObject&, const QString&) {
        ++loads.completed;
        loads.sinceCompleted.start();
    });

    clickAsAPerson(f.Command1(0));
    if (!waitUntil([&] { return f.Text2.Text() == QStringLiteral("12"); }, 30000))
        return 1;
    clickAsAPerson(f.Check2);
    clickAsAPerson(f.Option2(0));
    clickAsAPerson(f.Command6);
    runEvents(15000);
    measure("a_idle_on_tab0", loads, seconds);

    for (int tab : { 2, 3, 4, 1, 0 }) {
        clickAsAPerson(f.Command1(tab));
        runEvents(8000);
    }
    runEvents(7000);
    measure("b_after_tour", loads, seconds);

    if (refreshes <= 0)
        return 0;
    f.Timer1.setInterval(0); // the refreshes follow one another as fast as the list loads
    const double before = settledPssMb();
    double warmed = before;
    for (int n = 1; n <= refreshes; ++n) {
        const int completed = loads.completed;
        for (int second = 0; second < 10; ++second)
            f.Timer1.tick();
        waitUntil([&] { return loads.completed > completed; }, 20000);
        if (n == 100) {
            warmed = settledPssMb();
            printProcesses("c_after_100");
        }
    }
    const double after = settledPssMb();
    printProcesses("c_after_all");
    report("c_pss_before_mb", before);
    report("c_pss_after_100_mb", warmed);
    report("c_pss_after_all_mb", after);
    report("c_growth_after_warm_up_mb", after - warmed);
    report("c_list_loads", shop.listLoads());
    report("trim_longest_stall_ms", components.heapTrimmer().longestStallUs() / 1000.0);
    report("trims", components.heapTrimmer().trims());
    return 0;
}

// Runs each configuration in a process of its own and prints one table, a column each.
int compareConfigurations(const QString& program)
{
    QStringList configs { QStringLiteral("built"), QStringLiteral("no-trim"),
        QStringLiteral("keep-pages") };
    const QString flags = qEnvironmentVariable("CORVALEN_FOOTPRINT_TRY_FLAGS");
    if (!flags.isEmpty())
        configs << QStringLiteral("flags");
    QStringList figures;
    QMap<QString, QMap<QString, double>> values;
    for (const QString& config : configs) {
        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (config == QLatin1String("flags"))
            environment.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"), flags);
        run.setProcessEnvironment(environment);
        run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        run.start(program, { QStringLiteral("--config"), config });
        run.waitForFinished(-1);
        for (const QByteArray& line : run.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> words = line.split(' ');
            if (words.size() != 2 || line.startsWith('#'))
                continue;
            const QString figure = QString::fromLatin1(words[0]);
            if (!figures.contains(figure))
                figures << figure;
            values[figure][config] = words[1].toDouble();
        }
        std::fprintf(
            stderr, "footprint_bench: %s done (exit %d)\n", qPrintable(config), run.exitCode());
    }
    std::printf("| %-28s |", "figure");
    for (const QString& config : configs)
        std::printf(" %10s |", qPrintable(config));
    std::printf(" built / keep-pages |\n|------------------------------|");
    for (qsizetype i = 0; i < configs.size(); ++i)
        std::printf("------------|");
    std::printf("--------------------|\n");
    for (const QString& figure : figures) {
        std::printf("| %-28s |", qPrintable(figure));
        for (const QString& config : configs) {
            if (values[figure].contains(config))
                std::printf(" %10.2f |", values[figure][config]);
            else
                std::printf(" %10s |", "-");
        }
        const double base = values[figure].value(QStringLiteral("keep-pages"));
        if (base > 0 && values[figure].contains(QStringLiteral("built")))
            std::printf(" %18.2f |\n", values[figure][QStringLiteral("built")] / base);
        else
            std::printf(" %18s |\n", "-");
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    const QStringList arguments = [&] {
        QStringList list;
        for (int i = 0; i < argc; ++i)
            list << QString::fromLocal8Bit(argv[i]);
        return list;
    }();
    const qsizetype configAt = arguments.indexOf(QStringLiteral("--config"));
    if (configAt < 0 || configAt + 1 >= arguments.size()) {
        QCoreApplication app(argc, argv);
        return compareConfigurations(QCoreApplication::applicationFilePath());
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);
    return measureConfiguration(arguments[configAt + 1]);
}
