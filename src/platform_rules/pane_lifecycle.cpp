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
// A page whose load ended before its document was parsed is read again until it is, and so is
// one whose read answered nothing, for a while.
constexpr int kReadAgainMs = 250;
constexpr int kMaxReadsAgain = 20;
// While the program waits on a renderer, it asks it something trivial every second. One that
// answers nothing for 5 s runs a script that never returns, and is ended: a busy computer answers
// within a fraction of that, and the shortest refresh, 10 s, leaves the other half for the reload.
constexpr int kProbeEveryMs = 1000;
constexpr int kHangMs = 5000;

bool isInline(const QUrl& url)
{
    return url.scheme() == QLatin1String("data");
}
} // namespace

PaneLifecycle::PaneLifecycle(PaneEngine& engine, PaneReports& reports, bool givesBackHidden)
    : m_engine(engine)
    , m_reports(reports)
    , m_givesBackHidden(givesBackHidden)
{
}

void PaneLifecycle::navigate(const QUrl& url)
{
    const bool noAddress = !url.isValid() || url.isEmpty();
    if (!allows(Trigger::Ask))
        return;
    if (!noAddress && !isNavigable(url)) {
        qCInfo(lcPanes) << "refused to open a" << url.scheme() << "address";
        return;
    }
    m_reportOwed = m_reloadsFree = true;
    m_endedOwnHang = false;
    noAddress ? showErrorPage(url) : ask(url, url);
}

// A refresh over a load still running asks for that load again, not for the page before it; one
// of our error page retries the address that failed.
void PaneLifecycle::refresh()
{
    if (!allows(Trigger::Ask) || (m_load.address.isEmpty() && !m_load.errorPage))
        return; // nothing was ever asked for
    m_reportOwed = m_reloadsFree = true;
    m_endedOwnHang = false;
    if (m_load.address.isEmpty())
        return showErrorPage(m_load.address);
    // Only a page read stands committed, for the engine's own reload.
    ask(m_load.address, m_load.address, m_state == State::Shown);
}

void PaneLifecycle::ask(const QUrl& url, const QUrl& address, bool reload)
{
    advance(State::Asked, Trigger::Ask);
    m_load.address = address;
    m_load.errorPage = m_load.errorPageOpen = isInline(url);
    m_engine.fence(m_load.number);
    reload ? m_engine.reload() : m_engine.load(url);
    m_engine.armTimer(PaneTimer::Probe, 0);
}

void PaneLifecycle::showErrorPage(const QUrl& failed)
{
    m_load.errorPageFor = failed;
    ask(errorPageAddress(failed), failed);
}

// The engine takes no inline page but those the pane asked for: any that loads is our error page.
bool PaneLifecycle::isOwnErrorPage(const QUrl& url) const
{
    return isInline(url) && m_load.errorPageFor;
}

bool PaneLifecycle::acceptsNavigation(const QUrl& url, bool isMainFrame)
{
    if (isNavigable(url))
        return true;
    // Of inline pages, only the one error page the pane asked for, once.
    if (isInline(url) && isMainFrame && m_load.errorPageOpen
        && url == errorPageAddress(*m_load.errorPageFor)) {
        m_load.errorPageOpen = false;
        return true;
    }
    qCInfo(lcPanes) << "refused a navigation to a" << url.scheme() << "address";
    return false;
}

void PaneLifecycle::fencePassed(quint64 load)
{
    if (load == m_load.number)
        advance(State::Loading, Trigger::Fence);
}

// A stretch of loading that the page begins is a load of ours whatever its first address: a
// page that goes to a shop app's link may go on to a page of the shop before the refusal ends
// the stretch. A refused address begins no download. The start of a load asked for may carry
// another address (folded into the engine's own reload): what was asked stands.
void PaneLifecycle::loadStarted(const QUrl& url)
{
    // A frozen page whose own navigation began must run to load it.
    const bool frozen = m_state == State::Frozen;
    const bool asked = m_state == State::Loading;
    if (!asked && !advance(State::Loading, Trigger::Start))
        return; // posted before a load asked for, or into a page that crashed, went or closed
    if (!asked && isNavigable(url))
        m_load.address = url;
    if (frozen)
        m_engine.wake();
    if (isNavigable(url))
        m_reports.downloadBegin();
}

void PaneLifecycle::loadEnded(LoadEnd end, const QUrl& url)
{
    if (!allows(Trigger::End))
        return; // it belongs to no load of ours
    if (isNavigable(url))
        m_reports.downloadComplete();
    const QUrl shown = m_engine.shownUrl();
    const bool pageShown = isNavigable(shown) || isOwnErrorPage(shown);
    m_load.completed = end != LoadEnd::Failed
        && (end != LoadEnd::Stopped || url == shown || shown != m_shownReported);
    switch (end) {
    case LoadEnd::Succeeded:
    case LoadEnd::HttpError: // the server's own page for its error status is the document
        return read(url);
    case LoadEnd::Stopped:
        // However the load was ended (by a refused navigation, by the page itself), the page
        // shown is complete: it is read.
        return pageShown ? read(shown) : void(advance(State::Idle, Trigger::End));
    case LoadEnd::Failed:
        break;
    }
    if (isOwnErrorPage(url)) {
        // Our own page failed too: say so without loading anything more.
        advance(State::ErrorPage, Trigger::End);
        m_load.errorPage = true;
        m_load.address = *m_load.errorPageFor;
        m_document = Document { noPageTitle(), std::nullopt };
        m_reported.clear();
        return report();
    }
    // Another navigation that failed (one the page's onload began) leaves the page shown to be
    // read; a page that failed itself, or one that never came, leaves our error page.
    if (pageShown && url != shown)
        return read(shown, url);
    showErrorPage(url);
}

void PaneLifecycle::read(const QUrl& shown, const std::optional<QUrl>& failed)
{
    advance(State::Reading, Trigger::End);
    m_load.failed = failed;
    m_load.errorPage = isOwnErrorPage(shown);
    m_load.address = m_load.errorPage ? *m_load.errorPageFor : shown;
    askRead();
    m_engine.armTimer(PaneTimer::Probe, 0);
}

// A report owed carries the body as it is now, also of a page reported before.
void PaneLifecycle::askRead()
{
    m_engine.readDocument(m_load.number, m_reportOwed ? QString() : m_reported);
}

void PaneLifecycle::documentRead(quint64 load, const std::optional<DocumentRead>& read)
{
    // Results of an earlier load, of a crashed renderer or of a pane going away are dropped.
    if (load != m_load.number)
        return;
    if (showsReported())
        return followTitle(read);
    if (m_state != State::Reading)
        return;
    if ((!read || !read->parsed) && m_load.readsAgain < kMaxReadsAgain) {
        ++m_load.readsAgain;
        return m_engine.armTimer(PaneTimer::ReadAgain, kReadAgainMs);
    }
    // A load that ended with the page reported still shown (one cut short before its page came)
    // brings no new document; one that completed a document whose read answers nothing, an empty.
    const bool fresh
        = read ? read->identity.isEmpty() || read->identity != m_reported : m_load.completed;
    if (read && !fresh && m_load.failed)
        return showErrorPage(*m_load.failed);
    if (!read)
        qCWarning(lcPanes) << "could not read a document";
    // The program hears of every load it asked for, with the page as it is now, even one that
    // brought the same page again or answered nothing; of the page's own loads, only those that
    // brought a new page.
    const bool reports = fresh || m_reportOwed;
    if (reports)
        m_document = read ? read->document : Document {};
    else
        followTitle(read);
    if (fresh)
        m_reported = read ? read->identity : QString();
    // The page read may be newer than the load that ended: it goes by its own address, or by the
    // engine's when it said nothing.
    const QUrl shown = read ? read->address : m_engine.shownUrl();
    if (!m_load.errorPage && !shown.isEmpty())
        m_load.address = shown;
    advance(m_load.errorPage ? State::ErrorPage : State::Shown, Trigger::Read);
    considerGivingBack();
    if (reports)
        report();
}

void PaneLifecycle::report()
{
    m_reportOwed = false;
    m_shownReported = m_engine.shownUrl();
    m_reports.documentComplete(m_load.address.toString());
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
    if (showsReported() && m_document)
        m_engine.readDocument(m_load.number, m_reported);
}

void PaneLifecycle::rendererCrashed()
{
    // A page given back lets its renderer go: that is no crash.
    if (advance(State::Crashed, Trigger::Crash))
        m_engine.armTimer(PaneTimer::Recovery, 0);
}

// Silence is counted from the first question not answered since the renderer last answered.
void PaneLifecycle::probe()
{
    const qint64 now = m_engine.elapsedMs();
    if (!m_engine.rendererLives()) {
        m_silentSince.reset();
        if (m_state == State::Reading)
            return rendererCrashed(); // a page read has a renderer: this one went without a word
    } else if (!m_silentSince) {
        m_silentSince = now;
    } else if (now - *m_silentSince >= kHangMs) {
        qCWarning(lcPanes) << "ended a renderer that answered nothing for" << kHangMs << "ms";
        m_silentSince.reset();
        m_endedOwnHang = m_reportOwed && !m_reloadsFree;
        m_engine.endRenderer();
    }
    m_engine.probe();
    m_engine.armTimer(PaneTimer::Probe, kProbeEveryMs);
}

void PaneLifecycle::rendererAnswered()
{
    m_silentSince.reset();
    m_reloadsFree = false;
}

// A crashed page is loaded again while the budget allows; once spent, a page shows our error
// page, which waits for the budget. A request whose renderer answered nothing since (the page
// before hung it) is loaded again once outside it; one whose own page hung gets our error page.
void PaneLifecycle::recover()
{
    const qint64 now = m_engine.elapsedMs();
    while (!m_crashReloads.empty() && now - m_crashReloads.front() >= kCrashWindowMs)
        m_crashReloads.pop_front();
    if (std::exchange(m_endedOwnHang, false))
        return showErrorPage(m_load.address);
    const bool requestsOwn = m_reportOwed && std::exchange(m_reloadsFree, false);
    const bool spent = !requestsOwn && m_crashReloads.size() >= kMaxCrashReloads;
    if (spent && m_load.errorPage) {
        const qint64 waitMs = m_crashReloads.front() + kCrashWindowMs - now;
        return m_engine.armTimer(PaneTimer::Recovery, static_cast<int>(waitMs));
    }
    if (!spent && !requestsOwn)
        m_crashReloads.push_back(now);
    if (spent || m_load.errorPage || m_load.address.isEmpty())
        return showErrorPage(m_load.address);
    ask(m_load.address, m_load.address);
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
    m_reportOwed = false;
    advance(State::Closed, Trigger::Close);
}

// Only a page read and reported goes: not our error page (it could not be loaded again from its
// address), not a load underway, and never a page that the program still uses while hidden.
bool PaneLifecycle::mayGiveBack() const
{
    return m_givesBackHidden && m_hidden && !m_runsWhileHidden && allows(Trigger::Freeze);
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
    if (m_hidden && !m_runsWhileHidden && keeping == PageKeeping::Discarded
        && advance(State::GivenBack, Trigger::Discard))
        return m_engine.discard();
    if (!mayGiveBack() || keeping == PageKeeping::Active)
        return;
    advance(State::Frozen, Trigger::Freeze);
    m_engine.freeze();
    giveBack();
}

void PaneLifecycle::recommendationChanged(PageKeeping keeping)
{
    if (keeping != PageKeeping::Active)
        allows(Trigger::Discard) ? giveBack() : considerGivingBack();
}

void PaneLifecycle::lifecycleChanged(bool active)
{
    if (active)
        advance(State::Shown, Trigger::Wake);
}

// Each timer runs only in the states it was armed for: the moves out of them stop it.
void PaneLifecycle::timerFired(PaneTimer timer)
{
    switch (timer) {
    case PaneTimer::Discard:
        return giveBack();
    case PaneTimer::Recovery:
        return recover();
    case PaneTimer::ReadAgain:
        return askRead();
    case PaneTimer::Probe:
        return probe();
    }
}

} // namespace corvalen
