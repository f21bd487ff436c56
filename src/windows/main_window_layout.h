#pragma once

#include <QObject>

namespace corvalen {

class Form1;

// Places the panes, the tab column, the step buttons, the guide toggle, the contact box and the
// advertisement buttons at every resize: wide screens get the advertisement pane on the right,
// narrow ones give the browsing area the full width.
class MainWindowLayout : public QObject {
public:
    explicit MainWindowLayout(Form1& form);

    void resize();

private:
    void wideLayout(float w, float h, float y0);
    void narrowLayout(float w);

    Form1& m_form;
};

} // namespace corvalen
