#include "webengine_components.h"

#include "platform/tone_player.h"
#include "platform/webengine_pane.h"
#include "platform_rules/navigation_policy.h"

#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <qtwebenginecoreglobal.h>

namespace corvalen {

WebEngineComponents::WebEngineComponents(
    DesktopShell& shell, const BrowserStoreLock& store, ComponentOptions options, QObject* parent)
    : QObject(parent)
    , m_shell(shell)
    , m_store(store, this)
    , m_options(options)
{
    // The panes show pages nobody vouches for: the log says how old the engine is that shows them.
    static const bool logged = [] {
        qCInfo(lcPanes, "Qt %s; browser engine Chromium %s, security patches up to Chromium %s",
            qVersion(), qWebEngineChromiumVersion(), qWebEngineChromiumSecurityPatchVersion());
        return true;
    }();
    Q_UNUSED(logged);
    QWebEngineProfile* profile = m_store.profile();
    QWebEngineSettings* settings = profile->settings();
    // Pop-ups only from a person's click: a page that opens windows by itself in a loop must not
    // reach the user's web browser on every refresh of a watch.
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    // Nothing a page does reaches the user's files or the operating system's link handlers.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    settings->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
    // A pane never saves a file: a download that is not accepted is dropped.
    connect(profile, &QWebEngineProfile::downloadRequested, this,
        [](QWebEngineDownloadRequest* download) { download->cancel(); });
}

WebEngineComponents::~WebEngineComponents() = default;

std::unique_ptr<BrowserPane> WebEngineComponents::createPane(QWidget* parent, const QString& name)
{
    return std::make_unique<WebEnginePane>(m_store.profile(), parent, name, m_shell,
        m_options.givesBackHiddenPages, m_options.trimsHeap ? &m_trimmer : nullptr);
}

std::unique_ptr<MediaPlayer> WebEngineComponents::createPlayer(QWidget* parent)
{
    Q_UNUSED(parent);
    return std::make_unique<TonePlayer>();
}

} // namespace corvalen
