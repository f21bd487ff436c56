#pragma once

#include "sites/sites_paths.h"

#include <QObject>

namespace corvalen {

class Form1;

// The main window's load: the first page of every pane, and the watcher's and the step guide's
// controls put out of reach until a tab is chosen.
class MainWindowLoad : public QObject {
public:
    MainWindowLoad(Form1& form, const Sites& sites);

private:
    void run();

    Form1& m_form;
    const Sites& m_sites;
};

} // namespace corvalen
