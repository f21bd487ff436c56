#include "pane_behaviours.h"

#include "forms/form1.h"

namespace corvalen {

PaneBehaviours::PaneBehaviours(Form1& form)
    : QObject(&form)
{
    for (PaneControl* pane : { &form.WebBrowser1, &form.WebBrowser2, &form.WebBrowser3,
             &form.WebBrowser4, &form.WebBrowser5, &form.WebBrowser6 }) {
        BrowserPane& browser = pane->browser();
        browser.DownloadBegin.connect([&browser] { browser.setSilent(true); });
        browser.DownloadComplete.connect([&browser] { browser.setSilent(true); });
    }
    form.WebBrowser4->NewWindow2.connect(
        [&form](BrowserObject& target, bool&) { target = form.WebBrowser6->Object(); });
    form.WebBrowser2->NewWindow2.connect([&form](BrowserObject& target, bool&) {
        target = form.WebBrowser6->Object();
        form.WebBrowser2.setVisible(false);
    });
}

} // namespace corvalen
