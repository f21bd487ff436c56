#include "qt_desktop_shell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QSettings>
#include <QUrl>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace corvalen {

bool QtDesktopShell::startProgram(const QString& path, StartWindow window)
{
    // The path is the program itself, not a command line: no shell splits it at its blanks.
    QProcess process;
    process.setProgram(path);
#ifdef Q_OS_WIN
    if (window == StartWindow::Minimized) {
        process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* args) {
            args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
            args->startupInfo->wShowWindow = SW_SHOWMINIMIZED;
        });
    }
#else
    Q_UNUSED(window);
#endif
    return process.startDetached();
}

bool QtDesktopShell::openUrl(const QString& url)
{
    return QDesktopServices::openUrl(QUrl(url));
}

std::optional<QString> QtDesktopShell::installedProgramFolder(const QString& executable)
{
#ifdef Q_OS_WIN
    const QSettings registry(
        QStringLiteral(
            "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\")
            + executable,
        QSettings::NativeFormat);
    const QString folder = registry.value(QStringLiteral("Path")).toString();
    if (!folder.isEmpty())
        return folder;
#else
    Q_UNUSED(executable);
#endif
    return std::nullopt;
}

void QtDesktopShell::askForAttention(QWidget* window)
{
    QApplication::alert(window);
}

} // namespace corvalen
