#include "external_browser_page.h"

#include "app/desktop_shell.h"

#include <QTimer>

namespace corvalen {

namespace {
constexpr int kLifetimeMs = 30000;
}

ExternalBrowserPage::ExternalBrowserPage(
    QWebEngineProfile* profile, DesktopShell& shell, QObject* parent)
    : QWebEnginePage(profile, parent)
    , m_shell(shell)
{
    // A pop-up that never navigates (written by script) must not stay around.
    QTimer::singleShot(kLifetimeMs, this, &QObject::deleteLater);
}

bool ExternalBrowserPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame)
{
    if (!isMainFrame || m_handled)
        return false;
    if (url.scheme() == QLatin1String("about"))
        return true;
    m_handled = true;
    if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"))
        m_shell.openUrl(url.toString());
    deleteLater();
    return false;
}

} // namespace corvalen
