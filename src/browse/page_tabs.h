#pragma once

#include "sites/sites.h"

#include <QObject>

namespace corvalen {

class Form1;

// The five tab buttons along the left edge: the clicked one is marked, then its own steps switch
// the browsing area and the controls that go with it.
class PageTabs : public QObject {
public:
    PageTabs(Form1& form, const Sites& sites);

    void command1Click(int index);

private:
    void watcherTab();
    void coinClaimTab();
    void groupBuyingTab();
    void brandDiscountTab();
    void specialPriceTab();
    void leaveGuideAndStartPage();
    void hideStepButtons();

    Form1& m_form;
    const Sites& m_sites;
};

} // namespace corvalen
