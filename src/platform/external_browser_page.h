#pragma once

#include <QWebEnginePage>

namespace corvalen {

class DesktopShell;

// Where a pop-up goes that no pane takes: its first web address opens in the user's own
// browser, anything else is dropped. The page then goes away by itself.
class ExternalBrowserPage : public QWebEnginePage {
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
