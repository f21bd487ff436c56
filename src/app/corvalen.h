#pragma once

#include "forms/components.h"
#include "forms/form1.h"
#include "forms/form3.h"
#include "sites/sites.h"

#include <QObject>
#include <QPointer>
#include <vector>

namespace corvalen {

// The program: builds its windows on the given platform and sites, attaches every subsystem's
// handlers to them, and says when its last window is gone.
class Corvalen : public QObject {
    Q_OBJECT
public:
    Corvalen(Platform platform, Sites sites);
    ~Corvalen() override;

    // Loads and shows the splash, which carries the start-up on from there.
    void start();

    Form3* splash() const { return m_splash; }
    Form1* mainWindow() const { return m_main; }
    const Sites& sites() const { return m_sites; }

signals:
    void lastWindowGone();

private:
    Form1* loadMainWindow();
    void track(Form& form);
    void forget();

    Platform m_platform;
    Sites m_sites;
    QPointer<Form3> m_splash;
    QPointer<Form1> m_main;
    std::vector<QPointer<Form>> m_windows;
    int m_openForms = 0;
};

} // namespace corvalen
