#include "ad_panel.h"

#include "forms/form1.h"
#include "sites/sites_paths.h"
#include "toolkit/button_marker.h"

namespace corvalen {

AdPanel::AdPanel(Form1& form, const Sites& sites)
    : QObject(&form)
    , m_form(form)
    , m_sites(sites)
{
    form.Command5.connect(&Button::MouseMove, this, [this](int i) { command5MouseMove(i); });
}

void AdPanel::command5MouseMove(int index)
{
    m_form.WebBrowser5->Navigate2(MakerPages::advert(m_sites, index + 1));
    markOnly(m_form.Command5, index, Colors::Red);
}

} // namespace corvalen
