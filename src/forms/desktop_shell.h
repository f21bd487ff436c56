#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace corvalen {

enum class StartWindow { Minimized };

// What the program asks of the desktop: start another program, open a page in the user's web
// browser, find the folder an installed program lives in, draw the user's eye to a window.
class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    // Starts the program at this path as it stands, blanks and all; false when it cannot start.
    virtual bool startProgram(const QString& path, StartWindow window) = 0;
    virtual bool openUrl(const QString& url) = 0;
    // The folder registered for an installed program, or nothing when it is not installed.
    virtual std::optional<QString> installedProgramFolder(const QString& executable) = 0;
    // Flashes the window's taskbar entry until the user comes back to it.
    virtual void askForAttention(QWidget* window) = 0;
};

} // namespace corvalen
