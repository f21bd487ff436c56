#pragma once

#include <QObject>

namespace corvalen {

class Dialogs;
class Form1;

// Starts and stops a watch with the start/stop button, and refreshes the working pane every
// chosen number of seconds while it runs.
class WatchCycle : public QObject {
public:
    WatchCycle(Form1& form, Dialogs& dialogs);

    void command6Click();
    void timer1Tick();

private:
    bool intervalChosen() const;
    void start();
    void stop();

    Form1& m_form;
    Dialogs& m_dialogs;
};

} // namespace corvalen
