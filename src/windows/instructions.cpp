#include "instructions.h"

#include "forms/form1.h"
#include "forms/form2.h"
#include "sites/sites_paths.h"

namespace corvalen {

Instructions::Instructions(Form1& form, ComponentFactory& components, const Sites& sites,
    std::function<void(Form&)> trackWindow)
    : QObject(&form)
    , m_form(form)
    , m_components(components)
    , m_sites(sites)
    , m_trackWindow(std::move(trackWindow))
{
    form.Command8.Click.connect(this, [this] { command8Click(); });
}

void Instructions::command8Click()
{
    if (!m_window || m_window->isUnloading()) {
        auto* window = new Form2(m_components);
        m_window = window;
        m_trackWindow(*window);
        window->Load.connect(this,
            [this, window] { window->WebBrowser1->Navigate2(MakerPages::instructions(m_sites)); });
        window->Command1.Click.connect([window] { window->unload(); });
        window->centreOnScreen();
        window->load();
    }
    m_window->show();
    m_window->raise();
}

} // namespace corvalen
