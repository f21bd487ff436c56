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
    // A page coming back reloads its old address by itself; should it not, a load asked for
    // meanwhile still goes.
    ComingBack,
    // A crashed renderer is recovered from after the engine's notification has returned.
    Recovery,
    // A page whose load was cut short is read again once its document has been parsed.
    ReadAgain,
};
// Every timer, for whoever starts or stops them all.
constexpr PaneTimer kPaneTimers[]
    = { PaneTimer::Discard, PaneTimer::ComingBack, PaneTimer::Recovery, PaneTimer::ReadAgain };

// What the pane's lifecycle has the browser engine do, and where it reports to the program.
class PaneEngine {
public:
    virtual ~PaneEngine() = default;

    virtual void load(const QUrl& url) = 0;
    // The engine's own reload of the page shown.
    virtual void reload() = 0;
    // Reads the page's title, body and parsing state (only the title when `titleOnly`); the
    // result comes back to `PaneLifecycle::documentRead` with the same load number.
    virtual void readDocument(quint64 load, bool titleOnly) = 0;
    virtual void freeze() = 0;
    virtual void discard() = 0;
    virtual bool recommendsDiscarding() const = 0;
    virtual QUrl shownUrl() const = 0;
    virtual qint64 elapsedMs() const = 0;
    virtual void armTimer(PaneTimer timer, int ms) = 0;
    virtual void disarmTimer(PaneTimer timer) = 0;

    virtual void downloadBegin() = 0;
    virtual void downloadComplete() = 0;
    virtual void documentComplete(const QString& url) = 0;
};

// A document read from the page: its title, its body (none for a page without a body element)
// and whether the page had been parsed to its end.
struct DocumentRead {
    Document document;
    bool parsed = true;
};

// The load lifecycle of one browser pane: one state, and one function per engine event that
// moves between states. It talks to the engine only through `PaneEngine`.
//
// The engine's order of events, as this pane has seen it on Qt WebEngine 6.4:
// - `load()` returns first; the navigation request (`acceptNavigationRequest`) and then
//   `loadingChanged(LoadStarted)` follow from the event loop.
// - A navigation that the policy refuses still reports `LoadStarted` with the refused address,
//   then `LoadStopped` (error -3) with it. An unknown scheme (a shop app's link) is refused
//   before the navigation request is even asked: only the two events tell of it.
// - A page's script that goes to such an address while the page is still loading (its onload
//   handler, for one) takes the page's own load with it: that load never succeeds, and a lone
//   `LoadStopped` with the refused address is all that comes.
// - A load asked for while another runs may end with the new address without a `LoadStarted`
//   of its own: starts and ends are not paired by address.
// - A page given back (`Discarded`) comes back by reloading its old address, as a `Reload`
//   navigation, when it is shown or navigated; a frozen page becomes active by itself on a load.
// - Hidden, a page is recommended `Frozen`; once frozen, `Discarded`, unless a page it opened is
//   still alive or a form holds typed input.
// - `titleChanged` first gives the address as a title, then the page's own title; a script may
//   change the title at any time after the load.
// - A renderer that dies while a document is being read answers that read only when the page
//   is destroyed, with an invalid value.
class PaneLifecycle {
public:
    enum class State {
        Idle, // nothing asked, or the last load stopped without a page to read
        Asked, // a load asked for, not yet started
        Loading,
        Reading, // the load ended; its document is being read
        Shown, // the document is read and reported
        ErrorPage, // our own error page is shown
        Crashed,
        Frozen,
        GivenBack,
        ComingBack, // shown again, the engine reloads the page it gave back
        Closed,
    };

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
    void loadStarted(const QUrl& url);
    void loadSucceeded(const QUrl& url);
    void loadStopped(const QUrl& url);
    // `httpStatus`: the server answered with an error status, and its page is shown.
    void loadFailed(const QUrl& url, bool httpStatus);
    void documentRead(quint64 load, const std::optional<DocumentRead>& read);
    void titleChanged();
    void rendererCrashed();
    void lifecycleChanged(bool active);
    void discardRecommended();
    void timerFired(PaneTimer timer);

    State state() const { return m_state; }
    const std::optional<Document>& document() const { return m_document; }

private:
    void ask(const QUrl& url);
    void showErrorPage(const QUrl& failed);
    bool awaitsEnd() const;
    bool endLoad();
    void read(const QUrl& reportAs);
    void settle();
    void considerGivingBack();
    bool mayGiveBack() const;
    bool reloadFitsCrashBudget();
    bool isOwnErrorPage(const QUrl& url) const;

    PaneEngine& m_engine;
    const bool m_givesBackHidden;
    State m_state = State::Idle;
    State m_stateBeforeFreezing = State::Idle;
    quint64 m_load = 0;
    QUrl m_address;
    QUrl m_loadingAddress;
    QUrl m_reportAs;
    std::optional<QUrl> m_failed;
    // The one inline page the pane asked for itself, until its navigation has been accepted.
    std::optional<QUrl> m_ownPageAsked;
    QUrl m_errorPage;
    std::optional<QUrl> m_afterComingBack;
    std::optional<Document> m_document;
    std::deque<qint64> m_crashReloads;
    int m_readsAgain = 0;
    bool m_hidden = false;
    bool m_runsWhileHidden = false;
};

} // namespace corvalen
