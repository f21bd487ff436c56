#include "page_tabs.h"

#include "browse/shop_pages.h"
#include "forms/captions.h"
#include "forms/form1.h"
#include "sites/sites_paths.h"
#include "toolkit/button_marker.h"

namespace corvalen {

PageTabs::PageTabs(Form1& form, const Sites& sites)
    : QObject(&form)
    , m_form(form)
    , m_sites(sites)
{
    form.Command1.connect(&Button::Click, this, [this](int i) { command1Click(i); });
}

void PageTabs::command1Click(int index)
{
    // The marker comes first, so that the loads the tab starts complete under it.
    markOnly(m_form.Command1, index, Colors::Marker);
    // The guide strip's toggle hides it on the coin-claim tab: its page must stay as it was.
    m_form.WebBrowser4->setRunsWhileHidden(index == 1);
    switch (index) {
    case 0:
        return watcherTab();
    case 1:
        return coinClaimTab();
    case 2:
        return groupBuyingTab();
    case 3:
        return brandDiscountTab();
    case 4:
        return specialPriceTab();
    }
}

void PageTabs::watcherTab()
{
    Form1& f = m_form;
    f.Command8.setVisible(true);
    f.Text2.setEnabled(true);
    f.Check1.setEnabled(true);
    f.Check2.setEnabled(true);
    f.Check3(1).setEnabled(true);
    f.Check3(0).setEnabled(true);
    f.Command6.setEnabled(true);
    hideStepButtons();
    f.WebBrowser3->Navigate2(blankPage());
    f.WebBrowser3.setVisible(false);
    f.WebBrowser2->Navigate2(blankPage());
    f.WebBrowser2.setVisible(false);
    f.WebBrowser6.setVisible(true);
    f.WebBrowser6->Navigate2(ShopPages::watchedList(m_sites));
    f.Command7.setVisible(false);
    f.WebBrowser4.setVisible(false);
    f.WebBrowser4->Navigate2(blankPage());
    for (int j = 0; j <= 3; ++j) {
        f.Option1(j).setEnabled(false);
        f.Command2(j).setEnabled(false);
        f.Option2(j).setEnabled(false);
    }
    for (int j = 0; j <= 1; ++j) {
        f.Command3(j).setEnabled(false);
        f.Text1(j).setForeColor(Colors::ButtonShadow);
        f.Text1(j).setEnabled(false);
    }
    f.Text1(0).setText(keywordPrompt());
    f.Text1(1).setText(keywordPrompt());
}

void PageTabs::coinClaimTab()
{
    Form1& f = m_form;
    f.Command8.setVisible(false);
    f.Command7.setVisible(true);
    f.WebBrowser4.setVisible(true);
    f.WebBrowser2->Navigate2(blankPage());
    f.WebBrowser2.setVisible(false);
    f.WebBrowser6.setVisible(true);
    f.WebBrowser6->Navigate2(ShopPages::coinHome(m_sites));
    f.WebBrowser4->Navigate2(MakerPages::stepGuide(m_sites));
    f.WebBrowser3.setVisible(false);
    f.WebBrowser3->Navigate2(blankPage());
    f.Command3(1).setEnabled(false);
    f.Command3(0).setEnabled(false);
    for (int i = 0; i <= 4; ++i)
        f.Command4(i).setVisible(true);
}

void PageTabs::groupBuyingTab()
{
    Form1& f = m_form;
    hideStepButtons();
    f.Command8.setVisible(false);
    f.Command7.setVisible(false);
    f.WebBrowser4.setVisible(false);
    f.WebBrowser4->Navigate2(blankPage());
    f.WebBrowser2.setVisible(false);
    f.WebBrowser3.setVisible(true);
    f.WebBrowser2->Navigate2(blankPage());
    f.WebBrowser6.setVisible(false);
    f.WebBrowser6->Navigate2(blankPage());
    f.WebBrowser3->Navigate2(ShopPages::groupBuying(m_sites));
}

void PageTabs::brandDiscountTab()
{
    Form1& f = m_form;
    leaveGuideAndStartPage();
    f.WebBrowser3.setVisible(true);
    f.WebBrowser2->Navigate2(blankPage());
    f.WebBrowser3->Navigate2(ShopPages::brandDiscounts(m_sites));
    f.WebBrowser3.setWidth(f.ScaleWidth() - 4000.0f - 380.0f);
}

void PageTabs::specialPriceTab()
{
    Form1& f = m_form;
    leaveGuideAndStartPage();
    f.WebBrowser2->Navigate2(blankPage());
    f.WebBrowser3.setVisible(true);
    f.WebBrowser6->Navigate2(blankPage());
    f.WebBrowser6.setVisible(false);
    f.WebBrowser3->Navigate2(ShopPages::specialPrices(m_sites));
}

// The first steps of the brand and special-price tabs: the guide strip keeps its page.
void PageTabs::leaveGuideAndStartPage()
{
    m_form.Command8.setVisible(false);
    m_form.Command7.setVisible(false);
    m_form.WebBrowser4.setVisible(false);
    hideStepButtons();
    m_form.WebBrowser2.setVisible(false);
}

void PageTabs::hideStepButtons()
{
    for (int i = 0; i <= 4; ++i)
        m_form.Command4(i).setVisible(false);
}

} // namespace corvalen
