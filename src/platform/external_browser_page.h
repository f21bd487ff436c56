#pragma once

#include "platform/silent_page.h"

namespace corvalen {

class DesktopShell;

// Where a pop-up goes that no pane takes: its first web address opens in the user's own
// browser, anything else is dropped. It runs no script and shows no dialog, and goes away by
// itself.
class ExternalBrowserPage : public SilentPage {
    Q_OBJECT
public:
    ExternalBrowserPage(QWebEngineProfile* profile, DesktopShell& shell, QObject* parent);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

private:
    DesktopShell& m_shell;
    bool m_handled = false;
};

} // namespace corvalen
