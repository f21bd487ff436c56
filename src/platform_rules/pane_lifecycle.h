#pragma once

#include "forms/browser_pane.h"

#include <QUrl>
#include <deque>
#include <optional>

namespace corvalen {

// The timers a pane runs for its lifecycle.
enum class PaneTimer {
    // A hidden pane looks a moment later whether its page can be given back.
    Discard,
    // A crashed renderer is recovered from after the engine's notification has returned, or
    // once the crash budget allows it again.
    Recovery,
    // A page whose load ended before its document was parsed is read again a moment later.
    ReadAgain,
    // A page that answers no read for a long while has a dead or hung renderer: it is recovered
    // from like a crash.
    ReadTimeout,
};
// Every timer, for whoever starts or stops them all.
constexpr PaneTimer kPaneTimers[]
    = { PaneTimer::Discard, PaneTimer::Recovery, PaneTimer::ReadAgain, PaneTimer::ReadTimeout };

// What the engine recommends for a hidden page.
enum class PageKeeping { Active, Frozen, Discarded };
// How the engine ended a stretch of loading; `HttpError`: the server answered with an error
// status, and its page is shown.
enum class LoadEnd { Succeeded, Stopped, Failed, HttpError };

// What the pane's lifecycle has the browser engine do, and where it reports to the program.
class PaneEngine {
public:
    virtual ~PaneEngine() = default;

    virtual void load(const QUrl& url) = 0;
    // The engine's own reload of the page shown.
    virtual void reload() = 0;
    // Posts a mark behind every engine event already posted; it comes back to
    // `PaneLifecycle::fencePassed` with the same load number.
    virtual void fence(quint64 load) = 0;
    // Reads the page's title, parsing state, identity and address, and its body unless the page
    // is still the document `reported`; the result comes back to `PaneLifecycle::documentRead`
    // with the same load number.
    virtual void readDocument(quint64 load, const QString& reported) = 0;
    virtual void freeze() = 0;
    // Makes a frozen page active again.
    virtual void wake() = 0;
    virtual void discard() = 0;
    virtual PageKeeping recommended() const = 0;
    virtual QUrl shownUrl() const = 0;
    virtual qint64 elapsedMs() const = 0;
    virtual void armTimer(PaneTimer timer, int ms) = 0;
    virtual void disarmTimer(PaneTimer timer) = 0;

    virtual void downloadBegin() = 0;
    virtual void downloadComplete() = 0;
    virtual void documentComplete(const QString& url) = 0;
};

// A document read from the page: its title, its body (none for a page without a body element),
// whether the page had been parsed to its end, a mark that tells one document from another, and
// its address.
struct DocumentRead {
    Document document;
    bool parsed = true;
    QString identity;
    QUrl address;
};

// The load lifecycle of one browser pane: one state, moved only along the moves that
// `pane_moves.cpp` allows, by one function per engine event. It talks to the engine only through
// `PaneEngine`.
//
// The engine's order of events, as this pane has seen it on Qt WebEngine 6.4:
// - Every load event is posted, and reads are answered later still: `load()` and `reload()`
//   return first, and events posted before them may still arrive after them. A mark posted at
//   the request (`fence`) arrives after every such event and before any the request causes.
// - `reload()` reloads the page committed: over a load still running, the page before it.
// - A stretch of loading reports `LoadStarted` once, with the first address, and one end, with
//   the last. A load asked while another runs is folded into it: no `LoadStarted` of its own,
//   and the one end is the new load's.
// - A navigation that the policy refuses reports `LoadStarted` and `LoadStopped` (error -3) with
//   the refused address when nothing was loading; during a load, only the `LoadStopped`, which
//   ends that load. An unknown scheme (a shop app's link) is refused before the navigation
//   request is even asked.
// - A page's onload click on such a link ends its own load so; a script that goes there while
//   the page parses does not, and the load still succeeds. A page also ends its own load with
//   `window.stop()`, or an onload that goes to a 204 answer or a download: a lone `LoadStopped`
//   with an allowed address; an onload that goes to an unreachable address fails the load, with
//   that address. In each case the page shown is complete, and is read.
// - A refused navigation that ends a load before it committed leaves the page before it shown.
// - `lifecycleStateChanged` comes at once, inside the call that changed it; the recommended
//   state is current at once, `recommendedStateChanged` is posted. Hidden, a page is recommended
//   `Frozen`, then `Discarded`; it stays `Active` while it loads, plays sound, has crashed or a
//   page it opened lives, and `Frozen` while a form holds typed input.
// - A page given back (`Discarded`) comes back by reloading its old address when it is shown or
//   asked for a load; `load()` and `reload()` make a frozen page active by themselves. Discarding
//   a loading page posts a `LoadStopped`.
// - `titleChanged` first gives the address as a title, then the page's own title; a script may
//   change the title at any time after the load.
// - A frozen page's renderer can die, and the engine reports it. A renderer that dies while a
//   document is being read answers that read only when the page is destroyed, with an invalid
//   value; a discarded page answers a read at once, inside the request, with an invalid value.
class PaneLifecycle {
public:
    enum class State {
        Idle, // nothing shown
        Asked, // a load asked for; the events still arriving were posted before it
        Loading, // a load of the pane or of the page itself runs; its end is next
        Reading, // the load ended; the page shown is being read
        Shown, // the page shown is read and reported
        ErrorPage, // our own error page is shown
        Crashed,
        Frozen,
        GivenBack,
        Closed,
    };
    // What moves the state.
    enum class Trigger { Ask, Fence, Start, End, Read, Crash, Freeze, Discard, Wake, Close };

    PaneLifecycle(PaneEngine& engine, bool givesBackHidden);

    // What the program asks.
    void navigate(const QUrl& url);
    void refresh();
    void setRunsWhileHidden(bool runs);
    void hidden();
    void shown();
    // The pane goes away: every pending read becomes stale, no timer fires.
    void close();

    // What the engine asks or reports.
    bool acceptsNavigation(const QUrl& url, bool isMainFrame);
    void fencePassed(quint64 load);
    void loadStarted(const QUrl& url);
    void loadEnded(LoadEnd end, const QUrl& url);
    void documentRead(quint64 load, const std::optional<DocumentRead>& read);
    void titleChanged();
    void rendererCrashed();
    void lifecycleChanged(bool active);
    void recommendationChanged(PageKeeping keeping);
    void timerFired(PaneTimer timer);

    State state() const { return m_state; }
    const std::optional<Document>& document() const { return m_document; }

private:
    void moveTo(State to, Trigger by);
    void ask(const QUrl& url, bool reload = false);
    void showErrorPage(const QUrl& failed);
    bool beginsPagesOwnLoad();
    void read(const QUrl& shown, const std::optional<QUrl>& failed = std::nullopt);
    void askRead();
    void followTitle(const std::optional<DocumentRead>& read);
    void recover();
    void considerGivingBack();
    bool mayGiveBack() const;
    void giveBack();
    bool isOwnErrorPage(const QUrl& url) const;

    PaneEngine& m_engine;
    const bool m_givesBackHidden;
    State m_state = State::Idle;
    // Numbers the loads asked for, so that late reads and fences of earlier ones are dropped.
    quint64 m_load = 0;
    // The page shown or loading: what a refresh asks for and a crash reloads.
    QUrl m_address;
    // The address our error page was last made for: the one inline page a pane shows.
    std::optional<QUrl> m_errorPageFor;
    // Our error page stands for the address asked for: it is shown, or loading for it.
    bool m_onErrorPage = false;
    // A load that failed, while the page shown is read: unless the page came before the failure
    // (its own onload went somewhere unreachable), our error page stands for it.
    std::optional<QUrl> m_failedLoad;
    // Our error page comes inline: the engine may take it once, after the pane asked for it.
    bool m_errorPageAsked = false;
    // The document as read at its report, for the program to look at.
    std::optional<Document> m_document;
    // The document reported last: a load that ends with it still shown has nothing new.
    QString m_reported;
    // When the crash reloads of the last minute were asked for: a budget spans many loads.
    std::deque<qint64> m_crashReloads;
    // How often the page reading now was read again while it still parsed.
    int m_readsAgain = 0;
    // What the program says of the pane; no load state tells it.
    bool m_hidden = false;
    bool m_runsWhileHidden = false;
};

} // namespace corvalen
