#pragma once

#include "sites/sites.h"

#include <QObject>
#include <QPointer>
#include <functional>

namespace corvalen {

class DesktopShell;
class Dialogs;
class Form1;
class Form3;

// The start-up: the splash loads the main window hidden, counts six seconds, shows the main
// window and then answers what the maker's start page says about the network and the release.
class Splash : public QObject {
public:
    Splash(Form3& form, std::function<Form1*()> loadMainWindow, const Sites& sites,
        DesktopShell& shell, Dialogs& dialogs);

private:
    void load();
    void tick();
    void checkStartPage();

    Form3& m_form;
    std::function<Form1*()> m_loadMainWindow;
    QPointer<Form1> m_main;
    const Sites& m_sites;
    DesktopShell& m_shell;
    Dialogs& m_dialogs;
};

} // namespace corvalen
