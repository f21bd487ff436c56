#include "app/corvalen.h"
#include "app/qt_translations.h"
#include "platform/browser_store.h"
#include "platform/qt_desktop_shell.h"
#include "platform/qt_dialogs.h"
#include "platform/webengine_components.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Names the folder where the panes keep the shop's sign-in.
    QCoreApplication::setApplicationName(QStringLiteral("corvalen"));
    // The engine writes the store out as the application ends; the folder stays ours till then.
    const corvalen::BrowserStoreLock store(
        corvalen::browserStorageFolder(), corvalen::browserCacheFolder());
    QApplication app(argc, argv);
    const auto translations = corvalen::installQtTranslations(QLocale::system());
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);

    corvalen::QtDesktopShell shell;
    corvalen::QtDialogs dialogs;
    corvalen::WebEngineComponents components(shell, store);
    corvalen::Corvalen program({ components, shell, dialogs }, corvalen::Sites::production());
    QObject::connect(&program, &corvalen::Corvalen::lastWindowGone, &app, &QApplication::quit);
    program.start();
    return app.exec();
}
