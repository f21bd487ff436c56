#include "main_window_load.h"

#include "forms/form1.h"

namespace corvalen {

MainWindowLoad::MainWindowLoad(Form1& form, const Sites& sites)
    : QObject(&form)
    , m_form(form)
    , m_sites(sites)
{
    form.Load.connect(this, [this] { run(); });
}

void MainWindowLoad::run()
{
    Form1& f = m_form;
    f.WebBrowser1->Navigate2(MakerPages::banner(m_sites));
    f.WebBrowser3->Navigate2(blankPage());
    f.WebBrowser6->Navigate2(blankPage());
    f.WebBrowser4->Navigate2(blankPage());
    f.WebBrowser2->Navigate2(MakerPages::startPage(m_sites));
    f.WebBrowser5->Navigate2(MakerPages::advert(m_sites, 1));
    f.Command4(1).setEnabled(false);
    f.Command4(2).setEnabled(false);
    f.WebBrowser3.setVisible(false);
    for (int i = 0; i <= 4; ++i)
        f.Command4(i).setVisible(false);
    f.Command7.setVisible(false);
    f.WebBrowser4.setVisible(false);
    f.Text2.setEnabled(false);
    f.Check1.setEnabled(false);
    f.Check2.setEnabled(false);
    for (int i = 0; i <= 3; ++i) {
        f.Option2(i).setEnabled(false);
        f.Option1(i).setEnabled(false);
        f.Command2(i).setEnabled(false);
    }
    for (int i = 0; i <= 1; ++i) {
        f.Check3(i).setEnabled(false);
        f.Text1(i).setEnabled(false);
        f.Command3(i).setEnabled(false);
    }
    f.Command6.setEnabled(false);
}

} // namespace corvalen
