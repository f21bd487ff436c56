#pragma once

#include "sites/sites.h"

#include <QObject>

namespace corvalen {

class DesktopShell;
class Dialogs;
class Form1;

// The coin-claim steps of tab 1: start the messenger, open the favourite shops, open today's
// shop named by the guide page; and the toggle that hides or shows the guide strip.
class StepGuide : public QObject {
public:
    StepGuide(Form1& form, const Sites& sites, DesktopShell& shell, Dialogs& dialogs);

    void command4Click(int index);
    void command7Click();

private:
    void startMessenger();
    void openTodaysShop();
    void notice(const char* text);

    Form1& m_form;
    const Sites& m_sites;
    DesktopShell& m_shell;
    Dialogs& m_dialogs;
};

} // namespace corvalen
