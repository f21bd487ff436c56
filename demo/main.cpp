// corvalen-demo: the very same program, with every site it talks to simulated on this machine,
// so that it can be tried without network.
#include "app/corvalen.h"
#include "app/qt_translations.h"
#include "platform/browser_store.h"
#include "platform/qt_desktop_shell.h"
#include "platform/qt_dialogs.h"
#include "platform/webengine_components.h"
#include "shop_simulation.h"

#include <QApplication>
#include <QStyleFactory>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // A sign-in on the simulated shop stays apart from the real program's.
    QCoreApplication::setApplicationName(QStringLiteral("corvalen-demo"));
    // The engine writes the store out as the application ends; the folder stays ours till then.
    const corvalen::BrowserStoreLock store(
        corvalen::browserStorageFolder(), corvalen::browserCacheFolder());
    QApplication app(argc, argv);
    const auto translations = corvalen::installQtTranslations(QLocale::system());
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);

    corvalen::demo::ShopSimulation simulation;
    if (!simulation.start()) {
        std::fputs("corvalen-demo: no free port on 127.0.0.1 for the simulated sites\n", stderr);
        return 1;
    }
    corvalen::QtDesktopShell shell;
    corvalen::QtDialogs dialogs;
    corvalen::WebEngineComponents components(shell, store);
    corvalen::Corvalen program({ components, shell, dialogs }, simulation.sites());
    QObject::connect(&program, &corvalen::Corvalen::lastWindowGone, &app, &QApplication::quit);
    program.start();
    return app.exec();
}
