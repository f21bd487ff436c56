#pragma once

#include "sites/sites.h"

#include <QObject>

namespace corvalen {

class Form1;

// The sixteen numbered buttons over the advertisement pane: passing the mouse over one shows its
// advertisement and marks it red.
class AdPanel : public QObject {
public:
    AdPanel(Form1& form, const Sites& sites);

    void command5MouseMove(int index);

private:
    Form1& m_form;
    const Sites& m_sites;
};

} // namespace corvalen
