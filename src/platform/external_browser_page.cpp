#include "external_browser_page.h"

#include "forms/desktop_shell.h"
#include "platform_rules/navigation_policy.h"

#include <QTimer>
#include <QWebEngineSettings>

namespace corvalen {

namespace {
constexpr int kLifetimeMs = 30000;
}

ExternalBrowserPage::ExternalBrowserPage(
    QWebEngineProfile* profile, DesktopShell& shell, QObject* parent)
    : SilentPage(profile, parent)
    , m_shell(shell)
{
    silent = true;
    settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    // A pop-up that never navigates (written by script) must not stay around.
    QTimer::singleShot(kLifetimeMs, this, &QObject::deleteLater);
}

bool ExternalBrowserPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame)
{
    if (!isMainFrame || m_handled)
        return false;
    if (url.scheme() == QLatin1String("about") && isNavigable(url))
        return true;
    m_handled = true;
    const bool web
        = url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
    if (web && isNavigable(url))
        m_shell.openUrl(url.toString());
    else
        qCInfo(lcPanes) << "dropped a pop-up to a" << url.scheme() << "address";
    deleteLater();
    return false;
}

} // namespace corvalen
