#include "webengine_pane.h"

#include "platform/external_browser_page.h"
#include "platform/heap_trimmer.h"
#include "platform/silent_page.h"
#include "platform_rules/navigation_policy.h"

#include <QEvent>
#include <QWebEngineLoadingInfo>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <signal.h>
#endif

namespace corvalen {

namespace {
// What a tab switch frees is freed once the panes it showed have started their loads.
constexpr int kTrimAfterTabSwitchMs = 3000;
constexpr int kTrimAfterGivingBackMs = 1000;

// Read in the script world of the program, so that nothing the page defines can change it.
// Each document is marked in that world the first time it is read: a load that ends with the
// page reported still shown is told from one that brought a new page, and the body of a page
// already reported is not copied again.
const char* const kReadDocument
    = "(function (reported) { var b = document.body; var id = window.corvalenDocument"
      " || (window.corvalenDocument = String(Math.random()).slice(2));"
      " return [String(document.title), b && id !== reported ? b.innerHTML : null,"
      " document.readyState !== 'loading', id, location.href]; })('%1')";

std::optional<DocumentRead> documentOf(const QVariant& result)
{
    const QVariantList values = result.toList();
    if (values.size() != 5)
        return std::nullopt;
    DocumentRead read { { values[0].toString(), std::nullopt }, values[2].toBool(),
        values[3].toString(), QUrl(values[4].toString()) };
    if (values[1].typeId() == QMetaType::QString)
        read.document.bodyHtml = values[1].toString();
    return read;
}

PageKeeping keepingOf(QWebEnginePage::LifecycleState state)
{
    switch (state) {
    case QWebEnginePage::LifecycleState::Active:
        break;
    case QWebEnginePage::LifecycleState::Frozen:
        return PageKeeping::Frozen;
    case QWebEnginePage::LifecycleState::Discarded:
        return PageKeeping::Discarded;
    }
    return PageKeeping::Active;
}
} // namespace

WebEnginePane::WebEnginePane(QWebEngineProfile* profile, QWidget* parent, const QString& name,
    DesktopShell& shell, bool givesBackHidden, HeapTrimmer* trimmer)
    : m_view(new QWebEngineView(parent))
    , m_page(new SilentPage(profile, m_view))
    , m_name(name)
    , m_shell(shell)
    , m_lifecycle(*this, *this, givesBackHidden)
    , m_trimmer(trimmer)
{
    m_clock.start();
    m_view->setPage(m_page);
    m_view->installEventFilter(this);
    for (PaneTimer timer : kPaneTimers) {
        QTimer& qtimer = m_timers[timer];
        qtimer.setSingleShot(true);
        connect(&qtimer, &QTimer::timeout, this, [this, timer] { m_lifecycle.timerFired(timer); });
    }
    m_page->onCreateWindow = [this](QWebEnginePage::WebWindowType) { return pageForNewWindow(); };
    m_page->mayNavigate = [this](const QUrl& url, bool isMainFrame) {
        return m_lifecycle.acceptsNavigation(url, isMainFrame);
    };
    connect(m_page, &QWebEnginePage::loadingChanged, this, &WebEnginePane::onLoadingChanged);
    connect(m_page, &QWebEnginePage::titleChanged, this, [this] { m_lifecycle.titleChanged(); });
    connect(m_page, &QWebEnginePage::lifecycleStateChanged, this,
        [this](QWebEnginePage::LifecycleState state) {
            m_lifecycle.lifecycleChanged(state == QWebEnginePage::LifecycleState::Active);
        });
    connect(m_page, &QWebEnginePage::recommendedStateChanged, this,
        [this](QWebEnginePage::LifecycleState state) {
            m_lifecycle.recommendationChanged(keepingOf(state));
        });
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
        [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
            if (status != QWebEnginePage::NormalTerminationStatus)
                m_lifecycle.rendererCrashed();
        });
}

WebEnginePane::~WebEnginePane()
{
    // The page answers the reads still underway as it goes: they find a closed lifecycle.
    m_lifecycle.close();
    m_page->onCreateWindow = nullptr;
    m_page->mayNavigate = nullptr;
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
    allowScriptPopUpsWhenHandled();
    m_lifecycle.navigate(QUrl(url));
}

void WebEnginePane::Refresh()
{
    m_lifecycle.refresh();
}

bool WebEnginePane::Silent() const
{
    return m_page->silent;
}

void WebEnginePane::setSilent(bool silent)
{
    m_page->silent = silent;
}

// A pane whose new windows go to another pane takes its pages' script pop-ups too; any other
// pane's would reach the user's own browser, so there they stay off.
void WebEnginePane::allowScriptPopUpsWhenHandled()
{
    m_page->settings()->setAttribute(
        QWebEngineSettings::JavascriptCanOpenWindows, static_cast<bool>(NewWindow2));
}

bool WebEnginePane::eventFilter(QObject* watched, QEvent* event)
{
    const bool hidden = event->type() == QEvent::HideToParent;
    if (watched != m_view || (!hidden && event->type() != QEvent::ShowToParent))
        return QObject::eventFilter(watched, event);
    if (hidden)
        m_lifecycle.hidden();
    else
        m_lifecycle.shown();
    if (m_trimmer)
        m_trimmer->ask(kTrimAfterTabSwitchMs);
    return QObject::eventFilter(watched, event);
}

void WebEnginePane::onLoadingChanged(const QWebEngineLoadingInfo& info)
{
    // net::ERR_ABORTED: a load that another load, a stop or the navigation policy ended.
    constexpr int kAbortedError = -3;
    const QUrl url = info.url();
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        return m_lifecycle.loadStarted(url);
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        return m_lifecycle.loadEnded(LoadEnd::Succeeded, url);
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        return m_lifecycle.loadEnded(LoadEnd::Stopped, url);
    case QWebEngineLoadingInfo::LoadFailedStatus:
        if (info.errorCode() == kAbortedError)
            return m_lifecycle.loadEnded(LoadEnd::Stopped, url);
        if (info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain)
            return m_lifecycle.loadEnded(LoadEnd::HttpError, url);
        return m_lifecycle.loadEnded(LoadEnd::Failed, url);
    }
}

void WebEnginePane::load(const QUrl& url)
{
    m_page->load(url);
}

void WebEnginePane::reload()
{
    m_page->triggerAction(QWebEnginePage::Reload);
}

void WebEnginePane::readDocument(quint64 load, const QString& reported)
{
    const QPointer<WebEnginePane> self(this);
    // The mark is digits of our own making; anything else never goes into the script.
    const bool digits
        = std::all_of(reported.begin(), reported.end(), [](QChar c) { return c.isDigit(); });
    const QString script = QString::fromUtf8(kReadDocument).arg(digits ? reported : QString());
    m_page->runJavaScript(
        script, QWebEngineScript::ApplicationWorld, [self, load](const QVariant& result) {
            if (!self)
                return;
            if (result.isValid())
                self->m_lifecycle.rendererAnswered();
            self->m_lifecycle.documentRead(load, documentOf(result));
        });
}

// Asked in the program's script world, which no script of the page can answer in its stead.
void WebEnginePane::probe()
{
    const QPointer<WebEnginePane> self(this);
    m_page->runJavaScript(
        QStringLiteral("0"), QWebEngineScript::ApplicationWorld, [self](const QVariant& answer) {
            // A renderer that went answers what it still owes with nothing when the page goes.
            if (self && answer.isValid())
                self->m_lifecycle.rendererAnswered();
        });
}

// The process is ended from outside, as a crash would end it: the engine then reports the page's
// renderer as gone, and the pane recovers from that as from any crash.
void WebEnginePane::endRenderer()
{
    const qint64 pid = m_page->renderProcessPid();
    if (pid <= 0)
        return;
#ifdef Q_OS_WIN
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(pid))) {
        TerminateProcess(process, 1);
        CloseHandle(process);
    }
#else
    ::kill(static_cast<pid_t>(pid), SIGKILL);
#endif
}

void WebEnginePane::freeze()
{
    m_page->setLifecycleState(QWebEnginePage::LifecycleState::Frozen);
}

void WebEnginePane::wake()
{
    m_page->setLifecycleState(QWebEnginePage::LifecycleState::Active);
}

void WebEnginePane::discard()
{
    m_page->setLifecycleState(QWebEnginePage::LifecycleState::Discarded);
    if (m_trimmer)
        m_trimmer->ask(kTrimAfterGivingBackMs);
}

PageKeeping WebEnginePane::recommended() const
{
    return keepingOf(m_page->recommendedState());
}

// The mark goes into the same queue as the page's posted events, behind those already there.
void WebEnginePane::fence(quint64 load)
{
    QMetaObject::invokeMethod(
        this, [this, load] { m_lifecycle.fencePassed(load); }, Qt::QueuedConnection);
}

QUrl WebEnginePane::shownUrl() const
{
    return m_page->url();
}

bool WebEnginePane::rendererLives() const
{
    return m_page->renderProcessPid() > 0;
}

void WebEnginePane::armTimer(PaneTimer timer, int ms)
{
    m_timers[timer].start(ms);
}

void WebEnginePane::disarmTimer(PaneTimer timer)
{
    m_timers[timer].stop();
}

QWebEnginePage* WebEnginePane::pageForNewWindow()
{
    const BrowserObject target = NewWindow2 ? NewWindow2() : BrowserObject {};
    if (auto* receiver = dynamic_cast<WebEnginePane*>(target.pane))
        return receiver->page();
    return new ExternalBrowserPage(m_page->profile(), m_shell, this);
}

} // namespace corvalen
