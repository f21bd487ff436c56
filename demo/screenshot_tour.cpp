// Takes the screenshot of the demo that the README shows: the watcher's tab during a watch.
// It drives the demo as a person would (clicks on the real controls) and grabs the screen.
// Usage: corvalen-screenshot WATCH.png [INSTRUCTIONS.png]   (under a display with a window
// manager); the second shot shows the instructions window opened over the main window.
#include "app/corvalen.h"
#include "platform/qt_desktop_shell.h"
#include "platform/qt_dialogs.h"
#include "platform/webengine_components.h"
#include "shop_simulation.h"

#include <QApplication>
#include <QEventLoop>
#include <QScreen>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

bool waitFor(const std::function<bool()>& condition, int timeoutMs)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    poll.start(20);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return condition();
}

void click(corvalen::Control& control)
{
    QWidget* widget = control.widget();
    QTest::mouseClick(
        widget, Qt::LeftButton, {}, QPoint(qMin(8, widget->width() / 2), widget->height() / 2));
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2 || argc > 3) {
        std::fputs("usage: corvalen-screenshot WATCH.png [INSTRUCTIONS.png]\n", stderr);
        return 2;
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);

    corvalen::demo::ShopSimulation simulation;
    if (!simulation.start())
        return 1;
    corvalen::QtDesktopShell shell;
    corvalen::QtDialogs dialogs;
    const QTemporaryDir store;
    const corvalen::BrowserStoreLock lock(store.path());
    corvalen::WebEngineComponents components(shell, lock);
    corvalen::Corvalen program({ components, shell, dialogs }, simulation.sites());
    program.start();

    if (!waitFor([&] { return program.splash() == nullptr; }, 15000))
        return 1;
    corvalen::Form1& f = *program.mainWindow();
    click(f.Command1(0));
    waitFor([&] { return f.Text2.Text() == QStringLiteral("3"); }, 20000);
    click(f.Check1);
    click(f.Option1(1));
    click(f.Check2);
    click(f.Option2(0));
    click(f.Command6);
    // The first refresh of the watch, ten seconds on.
    waitFor([&] { return f.Text2.Text() == QStringLiteral("8"); }, 20000);
    waitFor([] { return false; }, 1500);

    if (!QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(argv[1])))
        return 1;
    if (argc < 3)
        return 0;
    click(f.Command8);
    waitFor([] { return false; }, 4000);
    return QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(argv[2]))
        ? 0
        : 1;
}
