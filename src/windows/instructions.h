#pragma once

#include "forms/form2.h"
#include "sites/sites.h"

#include <QObject>
#include <QPointer>
#include <functional>

namespace corvalen {

class ComponentFactory;
class Form;
class Form1;

// The instructions button of the main window opens the instructions window, one at a time; its
// "x" closes it, and the next opening loads the page afresh.
class Instructions : public QObject {
public:
    Instructions(Form1& form, ComponentFactory& components, const Sites& sites,
        std::function<void(Form&)> trackWindow);

    void command8Click();
    Form2* window() const { return m_window; }

private:
    Form1& m_form;
    ComponentFactory& m_components;
    const Sites& m_sites;
    std::function<void(Form&)> m_trackWindow;
    QPointer<Form2> m_window;
};

} // namespace corvalen
