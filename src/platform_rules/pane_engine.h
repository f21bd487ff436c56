#pragma once

#include <QString>
#include <QUrl>

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
    // While the program waits on the renderer, it asks it something trivial now and then.
    Probe,
};
// Every timer, for whoever starts or stops them all.
constexpr PaneTimer kPaneTimers[]
    = { PaneTimer::Discard, PaneTimer::Recovery, PaneTimer::ReadAgain, PaneTimer::Probe };

// What the engine recommends for a hidden page.
enum class PageKeeping { Active, Frozen, Discarded };
// How the engine ended a stretch of loading; `HttpError`: the server answered with an error
// status, and its page is shown.
enum class LoadEnd { Succeeded, Stopped, Failed, HttpError };

// What a pane's lifecycle has the browser engine do.
//
// The engine's order of events, as seen on Qt WebEngine 6.4:
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
//   A busy renderer may answer a read after many seconds.
// - A renderer whose page runs a script that never returns answers nothing, commits no load and
//   ends none; nothing reports it. Once ended, it is reported as crashed.
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
    // Asks the renderer something trivial; one that runs answers `PaneLifecycle::rendererAnswered`.
    virtual void probe() = 0;
    // Ends the renderer process of the page: the engine reports it as crashed.
    virtual void endRenderer() = 0;
    virtual void freeze() = 0;
    // Makes a frozen page active again.
    virtual void wake() = 0;
    virtual void discard() = 0;
    virtual PageKeeping recommended() const = 0;
    virtual QUrl shownUrl() const = 0;
    // Whether the page has a renderer process running, however busy or hung.
    virtual bool rendererLives() const = 0;
    virtual qint64 elapsedMs() const = 0;
    virtual void armTimer(PaneTimer timer, int ms) = 0;
    virtual void disarmTimer(PaneTimer timer) = 0;
};

// What a pane reports to the program: the events of its browser object.
class PaneReports {
public:
    virtual ~PaneReports() = default;

    virtual void downloadBegin() = 0;
    virtual void downloadComplete() = 0;
    // The page shown, read: once for every load the program asked for, and once for every new
    // document a load of the page's own brought.
    virtual void documentComplete(const QString& url) = 0;
};

} // namespace corvalen
