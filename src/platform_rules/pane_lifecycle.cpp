#include "pane_lifecycle.h"

#include "platform_rules/navigation_policy.h"

namespace corvalen {

namespace {
// How long a hidden pane waits before giving its page back: the tabs hide a pane and navigate it
// in one go, and that load ends first.
constexpr int kGiveBackDelayMs = 1000;
constexpr int kComingBackMs = 2000;
// A page whose renderer keeps dying is reloaded a few times a minute, not in a loop.
constexpr std::size_t kMaxCrashReloads = 3;
constexpr qint64 kCrashWindowMs = 60000;
// A page cut short by a refused navigation is read again until its document is parsed.
constexpr int kReadAgainMs = 250;
constexpr int kMaxReadsAgain = 20;

QString errorPageHtml(const QUrl& failed)
{
    const QString shown = failed.toDisplayString().left(300).toHtmlEscaped();
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>")
        + noPageTitle()
        + QStringLiteral("</title></head><body style=\"font-family:sans-serif;margin:2em\"><h3>")
        + noPageTitle() + QStringLiteral("</h3><p>") + shown + QStringLiteral("</p></body></html>");
}
// The address of our error page for a failed address, as the pane loads it.
QUrl errorPageAddress(const QUrl& failed)
{
    return QUrl(QStringLiteral("data:text/html;charset=UTF-8,")
        + QString::fromLatin1(QUrl::toPercentEncoding(errorPageHtml(failed))));
}
} // namespace

PaneLifecycle::PaneLifecycle(PaneEngine& engine, bool givesBackHidden)
    : m_engine(engine)
    , m_givesBackHidden(givesBackHidden)
{
}

void PaneLifecycle::navigate(const QUrl& url)
{
    const bool noAddress = !url.isValid() || url.isEmpty();
    if (!noAddress && !isNavigable(url)) {
        qCInfo(lcPanes) << "refused to open a" << url.scheme() << "address";
        return;
    }
    // A new address ends whatever the error page and the crashes stood for.
    m_crashReloads.clear();
    m_failed.reset();
    m_address = url;
    if (noAddress)
        showErrorPage(url);
    else
        ask(url);
}

void PaneLifecycle::refresh()
{
    m_crashReloads.clear();
    // A refresh of our error page retries the address that failed, and a refresh over a load
    // still running asks for that load again rather than for the page before it.
    if (m_failed)
        return ask(*m_failed);
    m_ownPageAsked.reset();
    if (m_state == State::Shown) {
        m_engine.disarmTimer(PaneTimer::Discard);
        ++m_load;
        m_state = State::Asked;
        m_engine.reload();
        return;
    }
    const QUrl& again = m_state == State::Loading ? m_loadingAddress : m_address;
    if (!again.isEmpty())
        ask(again);
}

void PaneLifecycle::ask(const QUrl& url)
{
    // Any other load withdraws the one inline page the pane asked for.
    if (m_ownPageAsked != url)
        m_ownPageAsked.reset();
    m_engine.disarmTimer(PaneTimer::Discard);
    if (m_state == State::ComingBack) {
        m_afterComingBack = url;
        return;
    }
    // Reads still underway belong to the page before.
    ++m_load;
    m_state = State::Asked;
    m_engine.load(url);
}

void PaneLifecycle::showErrorPage(const QUrl& failed)
{
    m_failed = failed;
    // Only this page, asked for by the pane itself, may come inline.
    m_ownPageAsked = errorPageAddress(failed);
    ask(*m_ownPageAsked);
}

bool PaneLifecycle::acceptsNavigation(const QUrl& url, bool isMainFrame)
{
    if (url.scheme() == QLatin1String("data")) {
        if (!isMainFrame || !m_ownPageAsked || *m_ownPageAsked != url) {
            qCInfo(lcPanes) << "refused an inline page";
            return false;
        }
        m_errorPage = *std::exchange(m_ownPageAsked, std::nullopt);
        return true;
    }
    if (isNavigable(url))
        return true;
    qCInfo(lcPanes) << "refused a navigation to a" << url.scheme() << "address";
    return false;
}

bool PaneLifecycle::isOwnErrorPage(const QUrl& url) const
{
    return m_failed && !m_errorPage.isEmpty() && url == m_errorPage;
}

void PaneLifecycle::loadStarted(const QUrl& url)
{
    const bool ownPage = isOwnErrorPage(url);
    // A refused navigation reports its start too; it changes nothing.
    if (m_state == State::Closed || (!ownPage && !isNavigable(url)))
        return;
    ++m_load;
    m_readsAgain = 0;
    m_engine.disarmTimer(PaneTimer::Discard);
    if (!ownPage) {
        m_failed.reset();
        m_loadingAddress = url;
    }
    if (m_state != State::ComingBack)
        m_state = State::Loading;
    m_engine.downloadBegin();
}

// Ends the load underway; false when a load asked for while the page came back takes over.
bool PaneLifecycle::endLoad()
{
    m_engine.downloadComplete();
    if (m_state == State::ComingBack) {
        m_engine.disarmTimer(PaneTimer::ComingBack);
        if (const auto next = std::exchange(m_afterComingBack, std::nullopt)) {
            m_state = State::Idle;
            ask(*next);
            return false;
        }
    }
    m_state = State::Loading;
    return true;
}

// A load asked for may end without having reported its start: the engine folds a load into one
// still running.
bool PaneLifecycle::awaitsEnd() const
{
    return m_state == State::Asked || m_state == State::Loading || m_state == State::ComingBack;
}

void PaneLifecycle::loadSucceeded(const QUrl& url)
{
    if (!awaitsEnd())
        return;
    if (!endLoad())
        return;
    if (isOwnErrorPage(url))
        return read(*m_failed);
    m_address = url;
    read(url);
}

void PaneLifecycle::loadStopped(const QUrl& url)
{
    if (m_state != State::Loading && m_state != State::ComingBack)
        return;
    const bool refused = !isNavigable(url) && !isOwnErrorPage(url);
    if (!endLoad())
        return;
    // A refused navigation took our load with it: the page it was loading is there, and read.
    const QUrl shown = m_engine.shownUrl();
    if (refused && isNavigable(shown)) {
        m_address = shown;
        return read(shown);
    }
    m_state = State::Idle;
    considerGivingBack();
}

void PaneLifecycle::loadFailed(const QUrl& url, bool httpStatus)
{
    if (!awaitsEnd())
        return;
    if (!endLoad())
        return;
    if (isOwnErrorPage(url)) {
        // Our own page failed too: say so without loading anything more.
        m_state = State::ErrorPage;
        m_document = Document { noPageTitle(), std::nullopt };
        m_engine.documentComplete(m_failed->toString());
        return;
    }
    // An HTTP error status still brings the server's own page: that page is the document.
    if (httpStatus) {
        m_address = url;
        return read(url);
    }
    showErrorPage(url);
}

void PaneLifecycle::read(const QUrl& reportAs)
{
    m_state = State::Reading;
    m_reportAs = reportAs;
    m_engine.readDocument(m_load, false);
}

void PaneLifecycle::documentRead(quint64 load, const std::optional<DocumentRead>& read)
{
    // Results of an earlier load, of a crashed renderer or of a pane going away are dropped.
    if (load != m_load)
        return;
    if (!read)
        return settle();
    if (m_state == State::Shown || m_state == State::ErrorPage) {
        if (m_document)
            m_document->Title = read->document.Title;
        return;
    }
    if (m_state != State::Reading)
        return;
    if (!read->parsed && m_readsAgain < kMaxReadsAgain) {
        ++m_readsAgain;
        m_engine.armTimer(PaneTimer::ReadAgain, kReadAgainMs);
        return;
    }
    m_document = read->document;
    m_state = m_failed ? State::ErrorPage : State::Shown;
    m_engine.documentComplete(m_reportAs.toString());
    considerGivingBack();
}

// A read that brought nothing ends the reading all the same.
void PaneLifecycle::settle()
{
    if (m_state != State::Reading)
        return;
    qCWarning(lcPanes) << "could not read a document";
    m_state = m_failed ? State::ErrorPage : State::Shown;
    considerGivingBack();
}

void PaneLifecycle::titleChanged()
{
    // The title a script sets after the load is read again; the engine's own title (the address
    // of a page without one) is no page's title.
    if ((m_state == State::Shown || m_state == State::ErrorPage) && m_document)
        m_engine.readDocument(m_load, true);
}

void PaneLifecycle::rendererCrashed()
{
    // A page given back lets its renderer go: that is no crash.
    if (m_state == State::Frozen || m_state == State::GivenBack || m_state == State::Closed)
        return;
    ++m_load;
    const bool onErrorPage = m_failed.has_value();
    m_state = State::Crashed;
    if (!onErrorPage)
        m_engine.armTimer(PaneTimer::Recovery, 0);
}

bool PaneLifecycle::reloadFitsCrashBudget()
{
    const qint64 now = m_engine.elapsedMs();
    while (!m_crashReloads.empty() && now - m_crashReloads.front() >= kCrashWindowMs)
        m_crashReloads.pop_front();
    if (m_crashReloads.size() >= kMaxCrashReloads)
        return false;
    m_crashReloads.push_back(now);
    return true;
}

void PaneLifecycle::setRunsWhileHidden(bool runs)
{
    m_runsWhileHidden = runs;
    if (runs)
        m_engine.disarmTimer(PaneTimer::Discard);
    else
        considerGivingBack();
}

void PaneLifecycle::hidden()
{
    m_hidden = true;
    considerGivingBack();
}

void PaneLifecycle::shown()
{
    m_hidden = false;
    m_engine.disarmTimer(PaneTimer::Discard);
}

void PaneLifecycle::close()
{
    m_state = State::Closed;
    ++m_load;
    for (PaneTimer timer : kPaneTimers)
        m_engine.disarmTimer(timer);
}

// Only a page that is read and idle goes: not our error page (it could not be loaded again from
// its address), not a load asked for, and never a page that the program still uses while hidden.
bool PaneLifecycle::mayGiveBack() const
{
    return m_givesBackHidden && m_hidden && !m_runsWhileHidden
        && (m_state == State::Shown || m_state == State::Idle) && !m_failed;
}

void PaneLifecycle::considerGivingBack()
{
    if (mayGiveBack())
        m_engine.armTimer(PaneTimer::Discard, kGiveBackDelayMs);
}

void PaneLifecycle::discardRecommended()
{
    if (m_state == State::Frozen && m_hidden && !m_runsWhileHidden) {
        m_state = State::GivenBack;
        m_engine.discard();
    }
}

void PaneLifecycle::lifecycleChanged(bool active)
{
    if (!active)
        return;
    if (m_state == State::Frozen)
        m_state = m_stateBeforeFreezing;
    if (m_state == State::GivenBack) {
        m_state = State::ComingBack;
        m_engine.armTimer(PaneTimer::ComingBack, kComingBackMs);
    }
}

void PaneLifecycle::timerFired(PaneTimer timer)
{
    switch (timer) {
    case PaneTimer::Discard:
        // Frozen first; the engine says when the page may go altogether.
        if (!mayGiveBack())
            return;
        m_stateBeforeFreezing = m_state;
        m_state = State::Frozen;
        m_engine.freeze();
        if (m_engine.recommendsDiscarding())
            discardRecommended();
        return;
    case PaneTimer::ComingBack:
        if (m_state != State::ComingBack)
            return;
        m_state = State::Idle;
        if (const auto next = std::exchange(m_afterComingBack, std::nullopt))
            ask(*next);
        return;
    case PaneTimer::Recovery:
        if (m_state != State::Crashed)
            return;
        if (!m_address.isEmpty() && reloadFitsCrashBudget())
            return ask(m_address);
        return showErrorPage(m_address);
    case PaneTimer::ReadAgain:
        if (m_state == State::Reading)
            m_engine.readDocument(m_load, false);
        return;
    }
}

} // namespace corvalen
