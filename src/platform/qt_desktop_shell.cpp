#include "qt_desktop_shell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#ifdef Q_OS_WIN
#include <string>
#include <windows.h>
#endif

namespace corvalen {

#ifdef Q_OS_WIN
namespace {

// A text value of a key under HKEY_LOCAL_MACHINE, from one view of the registry, with the key
// opened for reading only; nothing where the key or the text value is not there.
std::optional<QString> machineText(const QString& key, const QString& name, REGSAM view)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.toStdWString().c_str(), 0, KEY_READ | view, &opened)
        != ERROR_SUCCESS)
        return std::nullopt;
    const std::wstring valueName = name.toStdWString();
    std::optional<QString> text;
    DWORD bytes = 0;
    if (RegGetValueW(opened, nullptr, valueName.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes)
        == ERROR_SUCCESS) {
        std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
        if (RegGetValueW(
                opened, nullptr, valueName.c_str(), RRF_RT_REG_SZ, nullptr, value.data(), &bytes)
            == ERROR_SUCCESS)
            text = QString::fromWCharArray(value.c_str());
    }
    RegCloseKey(opened);
    return text;
}

} // namespace
#endif

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

// Only a web page goes to the user's browser: the system would ask which program should open any
// other address, the built-in maker's pages (qrc:) among them.
bool QtDesktopShell::openUrl(const QString& url)
{
    const QUrl address(url);
    if (address.scheme() != QLatin1String("http") && address.scheme() != QLatin1String("https"))
        return false;
    return QDesktopServices::openUrl(address);
}

std::optional<QString> QtDesktopShell::installedProgramFolder(const QString& executable)
{
#ifdef Q_OS_WIN
    // The messenger is a 32-bit program, and its installer writes the 32-bit view of the
    // registry, which a 64-bit program reads only by asking for it (WOW64 redirects
    // HKLM\SOFTWARE); a 64-bit messenger would write the 64-bit view.
    const QString key
        = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\") + executable;
    for (const REGSAM view : { KEY_WOW64_32KEY, KEY_WOW64_64KEY }) {
        const auto folder = machineText(key, QStringLiteral("Path"), view);
        if (folder && !folder->isEmpty())
            return folder;
    }
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
