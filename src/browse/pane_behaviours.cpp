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
    form.WebBrowser4->NewWindow2 = [&form] { return form.WebBrowser6->Object(); };
    form.WebBrowser2->NewWindow2 = [&form] {
        form.WebBrowser2.setVisible(false);
        return form.WebBrowser6->Object();
    };
}

} // namespace corvalen
