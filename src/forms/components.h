#pragma once

#include <QString>
#include <memory>

class QWidget;

namespace corvalen {

class BrowserPane;
class DesktopShell;
class Dialogs;
class MediaPlayer;

// Makes the embedded components of a window: the real ones in the program, doubles in tests.
class ComponentFactory {
public:
    virtual ~ComponentFactory() = default;
    virtual std::unique_ptr<BrowserPane> createPane(QWidget* parent, const QString& name) = 0;
    virtual std::unique_ptr<MediaPlayer> createPlayer(QWidget* parent) = 0;
};

// Everything outside the program's own windows, handed to the windows and subsystems.
struct Platform {
    ComponentFactory& components;
    DesktopShell& shell;
    Dialogs& dialogs;
};

} // namespace corvalen
