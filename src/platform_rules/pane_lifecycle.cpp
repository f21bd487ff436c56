#include "pane_lifecycle.h"

#include "platform_rules/error_page.h"
#include "platform_rules/navigation_policy.h"

namespace corvalen {

namespace {
// A hidden pane waits a moment before giving its page back: the tabs hide a pane and navigate it
// in one go, and that load ends first.
constexpr int kGiveBackDelayMs = 1000;
// A page whose renderer keeps dying is reloaded a few times a minute, not in a loop.
constexpr std::size_t kMaxCrashReloads = 3;
constexpr qint64 kCrashWindowMs = 60000;
// A page whose load ended before its document was parsed is read again until it is. Even a page
// of many megabytes answers its read within a second or two: one that does not has a dead or
// hung renderer.
constexpr int kReadAgainMs = 250;
constexpr int kMaxReadsAgain = 20;
constexpr int kReadTimeoutMs = 10000;

bool isInline(const QUrl& url)
{
    return url.scheme() == QLatin1String("data");
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
    if (m_state == State::Closed)
        return;
    if (!noAddress && !isNavigable(url)) {
        qCInfo(lcPanes) << "refused to open a" << url.scheme() << "address";
        return;
    }
    m_address = url;
    noAddress ? showErrorPage(url) : ask(url);
}

// A refresh over a load still running asks for that load again, not for the page before it; one
// of our error page retries the address that failed.
void PaneLifecycle::refresh()
{
    if (m_state != State::Closed && !m_address.isEmpty())
        ask(m_address, m_state == State::Shown);
}

void PaneLifecycle::ask(const QUrl& url, bool reload)
{
    // Any other load withdraws our error page, and ends what it stood for: a retry of the
    // address that failed is a page like any other.
    m_errorPageAsked = m_onErrorPage = isInline(url);
    m_engine.disarmTimer(PaneTimer::Discard);
    // Reads and events still underway belong to the loads before.
    ++m_load;
    moveTo(State::Asked, Trigger::Ask);
    m_engine.fence(m_load);
    reload ? m_engine.reload() : m_engine.load(url);
}

void PaneLifecycle::showErrorPage(const QUrl& failed)
{
    m_errorPageFor = m_address = failed;
    ask(errorPageAddress(failed));
}

// The engine takes no inline page but those the pane asked for: any that loads is our error page.
bool PaneLifecycle::isOwnErrorPage(const QUrl& url) const
{
    return isInline(url) && m_errorPageFor;
}

bool PaneLifecycle::acceptsNavigation(const QUrl& url, bool isMainFrame)
{
    if (isNavigable(url))
        return true;
    // Of inline pages, only the one error page the pane asked for, once.
    if (isInline(url) && isMainFrame && m_errorPageAsked
        && url == errorPageAddress(*m_errorPageFor)) {
        m_errorPageAsked = false;
        return true;
    }
    qCInfo(lcPanes) << "refused a navigation to a" << url.scheme() << "address";
    return false;
}

void PaneLifecycle::fencePassed(quint64 load)
{
    if (load == m_load && m_state == State::Asked)
        moveTo(State::Loading, Trigger::Fence);
}

// A stretch of loading that the page begins is a load of ours whatever its first address: a
// page that goes to a shop app's link may go on to a page of the shop before the refusal ends
// the stretch. A refused address moves nothing and begins no download. The start of a load asked
// for may carry another address (folded into the engine's own reload): what was asked stands.
void PaneLifecycle::loadStarted(const QUrl& url)
{
    const bool pagesOwn = m_state != State::Loading;
    if ((pagesOwn && !beginsPagesOwnLoad()) || !isNavigable(url))
        return;
    if (pagesOwn)
        m_address = url;
    m_engine.downloadBegin();
}

// The page goes somewhere by itself: reads underway are of the page before, and a page frozen
// just after the navigation began must run to load. False in states whose events belong to no
// load of ours: posted before a load asked for, or into a page that crashed, went or closed.
bool PaneLifecycle::beginsPagesOwnLoad()
{
    const State from = m_state;
    if (from != State::Idle && from != State::Reading && from != State::Shown
        && from != State::ErrorPage && from != State::Frozen)
        return false;
    ++m_load;
    m_engine.disarmTimer(PaneTimer::Discard);
    moveTo(State::Loading, Trigger::Start);
    if (from == State::Frozen)
        m_engine.wake();
    return true;
}

void PaneLifecycle::loadEnded(LoadEnd end, const QUrl& url)
{
    // Ends in any other state belong to no load of ours.
    if (m_state != State::Loading)
        return;
    if (isNavigable(url))
        m_engine.downloadComplete();
    const QUrl shown = m_engine.shownUrl();
    const bool pageShown = isNavigable(shown) || isOwnErrorPage(shown);
    switch (end) {
    case LoadEnd::Succeeded:
    case LoadEnd::HttpError: // the server's own page for its error status is the document
        return read(url);
    case LoadEnd::Stopped:
        // However the load was ended (by a refused navigation, by the page itself), the page
        // shown is complete: it is read.
        return pageShown ? read(shown) : moveTo(State::Idle, Trigger::End);
    case LoadEnd::Failed:
        break;
    }
    if (isOwnErrorPage(url)) {
        // Our own page failed too: say so without loading anything more.
        m_onErrorPage = true;
        m_address = *m_errorPageFor;
        moveTo(State::ErrorPage, Trigger::End);
        m_document = Document { noPageTitle(), std::nullopt };
        m_reported.clear();
        return m_engine.documentComplete(m_address.toString());
    }
    // Another navigation that failed (one the page's onload began) leaves the page shown to be
    // read; a page that failed itself, or one that never came, leaves our error page.
    if (pageShown && url != shown)
        return read(shown, url);
    showErrorPage(url);
}

void PaneLifecycle::read(const QUrl& shown, const std::optional<QUrl>& failed)
{
    m_failedLoad = failed;
    m_onErrorPage = isOwnErrorPage(shown);
    m_address = m_onErrorPage ? *m_errorPageFor : shown;
    m_readsAgain = 0;
    moveTo(State::Reading, Trigger::End);
    askRead();
}

void PaneLifecycle::askRead()
{
    m_engine.readDocument(m_load, m_reported);
    m_engine.armTimer(PaneTimer::ReadTimeout, kReadTimeoutMs);
}

void PaneLifecycle::documentRead(quint64 load, const std::optional<DocumentRead>& read)
{
    // Results of an earlier load, of a crashed renderer or of a pane going away are dropped.
    if (load != m_load)
        return;
    if (m_state == State::Shown || m_state == State::ErrorPage)
        return followTitle(read);
    if (m_state != State::Reading)
        return;
    m_engine.disarmTimer(PaneTimer::ReadTimeout);
    if (read && !read->parsed && m_readsAgain < kMaxReadsAgain) {
        ++m_readsAgain;
        return m_engine.armTimer(PaneTimer::ReadAgain, kReadAgainMs);
    }
    // A document is reported once: a load that ended with the page reported still shown (one
    // cut short before its page came) has nothing new, nor has a read that brought nothing.
    const bool fresh = read && (read->identity.isEmpty() || read->identity != m_reported);
    if (!fresh && m_failedLoad)
        return showErrorPage(*m_failedLoad);
    if (!read)
        qCWarning(lcPanes) << "could not read a document";
    followTitle(read);
    if (fresh) {
        m_document = read->document;
        m_reported = read->identity;
        // The page read may be newer than the load that ended: it goes by its own address.
        if (!m_onErrorPage && !read->address.isEmpty())
            m_address = read->address;
    }
    moveTo(m_onErrorPage ? State::ErrorPage : State::Shown, Trigger::Read);
    considerGivingBack();
    if (fresh)
        m_engine.documentComplete(m_address.toString());
}

// A title that a script set on the page reported is the document's title from then on.
void PaneLifecycle::followTitle(const std::optional<DocumentRead>& read)
{
    if (read && m_document && read->identity == m_reported)
        m_document->Title = read->document.Title;
}

void PaneLifecycle::titleChanged()
{
    // The title a script sets after the load is read again; the engine's own title (the address
    // of a page without one) is no page's title.
    if ((m_state == State::Shown || m_state == State::ErrorPage) && m_document)
        m_engine.readDocument(m_load, m_reported);
}

void PaneLifecycle::rendererCrashed()
{
    // A page given back lets its renderer go: that is no crash.
    if (m_state == State::GivenBack || m_state == State::Crashed || m_state == State::Closed)
        return;
    ++m_load;
    moveTo(State::Crashed, Trigger::Crash);
    m_engine.armTimer(PaneTimer::Recovery, 0);
}

// A crashed page is loaded again while the budget allows; once it is spent, a page shows our
// error page instead, and our error page waits for the budget to show itself again.
void PaneLifecycle::recover()
{
    const qint64 now = m_engine.elapsedMs();
    while (!m_crashReloads.empty() && now - m_crashReloads.front() >= kCrashWindowMs)
        m_crashReloads.pop_front();
    const bool spent = m_crashReloads.size() >= kMaxCrashReloads;
    if (spent && m_onErrorPage) {
        const qint64 waitMs = m_crashReloads.front() + kCrashWindowMs - now;
        return m_engine.armTimer(PaneTimer::Recovery, static_cast<int>(waitMs));
    }
    if (!spent)
        m_crashReloads.push_back(now);
    if (spent || m_onErrorPage || m_address.isEmpty())
        return showErrorPage(m_address);
    ask(m_address);
}

void PaneLifecycle::setRunsWhileHidden(bool runs)
{
    m_runsWhileHidden = runs;
    runs ? m_engine.disarmTimer(PaneTimer::Discard) : considerGivingBack();
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
    if (m_state == State::Closed)
        return;
    ++m_load;
    moveTo(State::Closed, Trigger::Close);
    for (PaneTimer timer : kPaneTimers)
        m_engine.disarmTimer(timer);
}

// Only a page read and reported goes: not our error page (it could not be loaded again from its
// address), not a load underway, and never a page that the program still uses while hidden.
bool PaneLifecycle::mayGiveBack() const
{
    return m_givesBackHidden && m_hidden && !m_runsWhileHidden && m_state == State::Shown;
}

void PaneLifecycle::considerGivingBack()
{
    if (mayGiveBack())
        m_engine.armTimer(PaneTimer::Discard, kGiveBackDelayMs);
}

// Frozen first, and only as far as the engine recommends: a page it keeps active (loading, with
// sound, or with a page it opened alive) is not frozen, and one it keeps frozen is not given back.
void PaneLifecycle::giveBack()
{
    const PageKeeping keeping = m_engine.recommended();
    if (m_state == State::Frozen && m_hidden && !m_runsWhileHidden
        && keeping == PageKeeping::Discarded) {
        moveTo(State::GivenBack, Trigger::Discard);
        return m_engine.discard();
    }
    if (!mayGiveBack() || keeping == PageKeeping::Active)
        return;
    moveTo(State::Frozen, Trigger::Freeze);
    m_engine.freeze();
    giveBack();
}

void PaneLifecycle::recommendationChanged(PageKeeping keeping)
{
    if (keeping != PageKeeping::Active)
        m_state == State::Frozen ? giveBack() : considerGivingBack();
}

void PaneLifecycle::lifecycleChanged(bool active)
{
    if (active && (m_state == State::Frozen || m_state == State::GivenBack))
        moveTo(State::Shown, Trigger::Wake);
}

void PaneLifecycle::timerFired(PaneTimer timer)
{
    if (timer == PaneTimer::Discard)
        giveBack();
    else if (timer == PaneTimer::Recovery && m_state == State::Crashed)
        recover();
    else if (timer == PaneTimer::ReadAgain && m_state == State::Reading)
        askRead();
    else if (timer == PaneTimer::ReadTimeout && m_state == State::Reading)
        rendererCrashed();
}

} // namespace corvalen
