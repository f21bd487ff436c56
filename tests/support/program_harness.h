#pragma once

#include "app/corvalen.h"
#include "fakes.h"
#include "forms/form1.h"
#include "forms/form3.h"

#include <QApplication>
#include <memory>

namespace corvalen::testing {

// The whole program on test doubles: the real windows and handlers, fake panes, player, shell
// and message boxes. The sites are the production ones unless a test gives others.
class ProgramHarness {
public:
    explicit ProgramHarness(Sites sites = Sites::production());
    ~ProgramHarness();

    Form1& form() { return *program->mainWindow(); }
    FakePane& pane(int number)
    {
        return components.pane(QStringLiteral("WebBrowser%1").arg(number));
    }

    FakeComponents components;
    FakeShell shell;
    ScriptedDialogs dialogs;
    std::unique_ptr<Corvalen> program;
};

// Makes the window the active one, as a click on it does, or none (null). Qt 6.5 deprecates the
// call, and no other one sets it at once.
inline void setActiveWindow(QWidget* window)
{
    // clang-format off
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QApplication::setActiveWindow(window);
    QT_WARNING_POP
    // clang-format on
}

} // namespace corvalen::testing
