#include "webengine_pane.h"

#include "platform/external_browser_page.h"
#include "platform/navigation_policy.h"
#include "platform/silent_page.h"

#include <QEvent>
#include <QTimer>
#include <QWebEngineLoadingInfo>
#include <QWebEngineScript>
#include <QWebEngineView>

namespace corvalen {

namespace {
// How long a hidden pane waits before giving its page back: the tabs hide a pane and navigate it
// in one go, and that load ends first.
constexpr int kDiscardDelayMs = 1000;
constexpr int kComingBackMs = 2000;
// net::ERR_ABORTED: a load that another load or a stop replaced.
constexpr int kAbortedError = -3;

// Read in the script world of the program, so that nothing the page defines can change it.
const char* const kReadDocument = "(function () { var b = document.body;"
                                  " return [String(document.title), b ? b.innerHTML : null]; })()";

// Our error page is the only inline page a pane shows: the navigation policy refuses any other.
bool isOwnErrorPage(const QUrl& url)
{
    return url.scheme() == QLatin1String("data");
}

QString errorPageHtml(const QUrl& failed)
{
    const QString shown = failed.toDisplayString().left(300).toHtmlEscaped();
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>")
        + noPageTitle()
        + QStringLiteral("</title></head><body style=\"font-family:sans-serif;margin:2em\"><h3>")
        + noPageTitle() + QStringLiteral("</h3><p>") + shown + QStringLiteral("</p></body></html>");
}
} // namespace

WebEnginePane::WebEnginePane(QWebEngineProfile* profile, QWidget* parent, const QString& name,
    DesktopShell& shell, bool discardsHidden)
    : m_view(new QWebEngineView(parent))
    , m_page(new SilentPage(profile, m_view))
    , m_name(name)
    , m_shell(shell)
    , m_discardsHidden(discardsHidden)
{
    m_view->setPage(m_page);
    m_view->installEventFilter(this);
    m_discardTimer.setSingleShot(true);
    m_discardTimer.setInterval(kDiscardDelayMs);
    connect(&m_discardTimer, &QTimer::timeout, this, &WebEnginePane::discardIfUnseen);
    m_page->onCreateWindow = [this](QWebEnginePage::WebWindowType) { return pageForNewWindow(); };
    connect(m_page, &QWebEnginePage::loadingChanged, this, &WebEnginePane::onLoadingChanged);
    connect(m_page, &QWebEnginePage::lifecycleStateChanged, this,
        &WebEnginePane::onLifecycleStateChanged);
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
        [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
            // A page given back while hidden lets its renderer go: that is no crash.
            if (status == QWebEnginePage::NormalTerminationStatus
                || m_page->lifecycleState() == QWebEnginePage::LifecycleState::Discarded)
                return;
            m_loading = false;
            // Not from inside the engine's own notification.
            QTimer::singleShot(0, this, [this] { recoverFromCrash(); });
        });
}

WebEnginePane::~WebEnginePane()
{
    m_page->onCreateWindow = nullptr;
    disconnect(m_page, nullptr, this, nullptr);
    if (m_view)
        m_view->removeEventFilter(this);
    delete m_view.data();
}

QWidget* WebEnginePane::widget()
{
    return m_view;
}

QWebEnginePage* WebEnginePane::page() const
{
    return m_page;
}

void WebEnginePane::Navigate2(const QString& url)
{
    const QUrl address(url);
    const bool noAddress = !address.isValid() || address.isEmpty();
    if (!noAddress && !isNavigable(address)) {
        qCInfo(lcPanes) << m_name << "refused to open a" << address.scheme() << "address";
        return;
    }
    // A new address ends whatever the error page stood for.
    m_failedUrl.reset();
    m_lastUrl = address;
    if (noAddress)
        showErrorPage(address);
    else
        load(address);
}

// A page coming back from being given back first loads its old address by itself; a load asked
// for meanwhile would be lost under that one, so it follows once that one has ended.
void WebEnginePane::load(const QUrl& address)
{
    if (m_comingBack) {
        m_loadAfterComingBack = address;
        // Should the engine not load the old address after all, the new one still goes.
        QTimer::singleShot(kComingBackMs, this, [this] { loadAfterComingBack(); });
        return;
    }
    m_page->load(address);
}

void WebEnginePane::loadAfterComingBack()
{
    m_comingBack = false;
    if (const auto address = std::exchange(m_loadAfterComingBack, std::nullopt))
        m_page->load(*address);
}

void WebEnginePane::onLifecycleStateChanged(QWebEnginePage::LifecycleState state)
{
    if (state == QWebEnginePage::LifecycleState::Active && m_discarded)
        m_comingBack = true;
    m_discarded = state == QWebEnginePage::LifecycleState::Discarded;
}

void WebEnginePane::Refresh()
{
    // A refresh of our error page retries the address that failed, and a refresh over a load
    // still running asks for that load again rather than for the page before it.
    if (m_failedUrl) {
        load(*m_failedUrl);
        return;
    }
    if (m_loading || m_page->url().isEmpty()) {
        if (!m_lastUrl.isEmpty())
            load(m_lastUrl);
        return;
    }
    m_page->triggerAction(QWebEnginePage::Reload);
}

bool WebEnginePane::Silent() const
{
    return m_page->silent;
}

void WebEnginePane::setSilent(bool silent)
{
    m_page->silent = silent;
}

bool WebEnginePane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view && event->type() == QEvent::HideToParent)
        considerDiscarding();
    if (watched == m_view && event->type() == QEvent::ShowToParent)
        m_discardTimer.stop();
    return QObject::eventFilter(watched, event);
}

// Whenever a hidden pane may have become idle (hidden, a load or a reading ended), it looks again
// a moment later whether its page can go.
void WebEnginePane::considerDiscarding()
{
    if (m_view && m_view->isHidden())
        m_discardTimer.start();
}

// A page that its window hides costs memory and processor time for nothing. The engine keeps its
// address, and loads it again when the pane is shown or navigated. Our error page stays: it could
// not be loaded again from its address.
void WebEnginePane::discardIfUnseen()
{
    if (!m_discardsHidden || m_runsWhileHidden || !m_view || !m_view->isHidden() || m_loading
        || m_readsUnderway > 0 || m_failedUrl || m_page->isVisible()
        || m_page->lifecycleState() != QWebEnginePage::LifecycleState::Active)
        return;
    m_page->setLifecycleState(QWebEnginePage::LifecycleState::Discarded);
}

void WebEnginePane::onLoadingChanged(const QWebEngineLoadingInfo& info)
{
    if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus) {
        if (m_comingBack)
            QTimer::singleShot(0, this, [this] { loadAfterComingBack(); });
        considerDiscarding();
    }
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        ++m_loadSerial;
        m_loading = true;
        if (!isOwnErrorPage(info.url())) {
            m_lastUrl = info.url();
            m_failedUrl.reset();
        }
        DownloadBegin.raise();
        return;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        m_loading = false;
        DownloadComplete.raise();
        return;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        m_loading = false;
        DownloadComplete.raise();
        onLoadSucceeded(info.url());
        return;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        m_loading = false;
        DownloadComplete.raise();
        onLoadFailed(info);
        return;
    }
}

void WebEnginePane::onLoadSucceeded(const QUrl& url)
{
    readDocument(isOwnErrorPage(url) ? m_failedUrl.value_or(url) : url);
}

void WebEnginePane::onLoadFailed(const QWebEngineLoadingInfo& info)
{
    // A load that a newer one replaced says nothing, our own error page's included.
    if (info.errorCode() == kAbortedError)
        return;
    if (isOwnErrorPage(info.url())) {
        // Our own page failed too: say so without loading anything more.
        m_document = Document { noPageTitle(), QString() };
        DocumentComplete.raise(Object(), m_failedUrl.value_or(info.url()).toString());
        return;
    }
    // An HTTP error status still brings the server's own page: that page is the document.
    if (info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain) {
        readDocument(info.url());
        return;
    }
    showErrorPage(info.url());
}

void WebEnginePane::readDocument(const QUrl& url)
{
    const quint64 serial = m_loadSerial;
    const QPointer<WebEnginePane> self(this);
    ++m_readsUnderway;
    m_page->runJavaScript(QString::fromUtf8(kReadDocument), QWebEngineScript::ApplicationWorld,
        [self, serial, url](const QVariant& result) {
            // Results of an earlier load, or of a page being torn down, are dropped.
            if (!self)
                return;
            --self->m_readsUnderway;
            self->considerDiscarding();
            if (self->m_loadSerial == serial)
                self->acceptDocument(result, url);
        });
}

void WebEnginePane::acceptDocument(const QVariant& result, const QUrl& url)
{
    const QVariantList values = result.toList();
    if (values.size() != 2) {
        qCWarning(lcPanes) << m_name << "could not read its document";
        return;
    }
    Document document { values[0].toString(), std::nullopt };
    if (values[1].typeId() == QMetaType::QString)
        document.bodyHtml = values[1].toString();
    m_document = std::move(document);
    DocumentComplete.raise(Object(), url.toString());
}

void WebEnginePane::showErrorPage(const QUrl& failed)
{
    m_failedUrl = failed;
    m_page->showOwnPage(errorPageHtml(failed));
}

void WebEnginePane::recoverFromCrash()
{
    if (!m_lastUrl.isEmpty() && m_crashBudget.allowReload(m_lastUrl)) {
        load(m_lastUrl);
        return;
    }
    showErrorPage(m_lastUrl);
}

QWebEnginePage* WebEnginePane::pageForNewWindow()
{
    const BrowserObject target = NewWindow2 ? NewWindow2() : BrowserObject {};
    if (auto* receiver = dynamic_cast<WebEnginePane*>(target.pane))
        return receiver->page();
    return new ExternalBrowserPage(m_page->profile(), m_shell, this);
}

} // namespace corvalen
