#pragma once

#include "forms/browser_pane.h"
#include "platform_rules/pane_engine.h"

#include <QUrl>
#include <deque>
#include <optional>

namespace corvalen {

// A document read from the page: its title, its body (none for a page without a body element),
// whether the page had been parsed to its end, a mark that tells one document from another, and
// its address.
struct DocumentRead {
    Document document;
    bool parsed = true;
    QString identity;
    QUrl address;
};

// The facts of one load: made anew when the pane asks for a load and when the page begins one.
struct PaneLoad {
    // Late reads and fences of earlier loads carry other numbers, and are dropped.
    quint64 number = 0;
    // The page shown or loading: what a refresh asks for and a crash reloads.
    QUrl address;
    // The address our error page was last made for: the one inline page the pane takes as its
    // own. It goes on from load to load, for as long as that page may be shown.
    std::optional<QUrl> errorPageFor;
    // Our error page stands for `address`: it is shown, or loading for it.
    bool errorPage = false;
    // Our error page comes inline: the engine may take it once, after the pane asked for it.
    bool errorPageOpen = false;
    // A load that failed while the page shown is read: unless the page came before the failure
    // (its own onload went somewhere unreachable), our error page stands for it.
    std::optional<QUrl> failed = std::nullopt;
    // How often the page was read again while it still parsed.
    int readsAgain = 0;
    bool completed = false; // it ended with a document of its own, however its read answers
};

// The load lifecycle of one browser pane: one state, moved only along the moves of the table in
// `pane_moves.cpp`, which also says which events apply in which state. It asks the engine
// through `PaneEngine` and tells the program through `PaneReports`.
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
    // What moves the state. `Start`: the page begins a load of its own.
    enum class Trigger { Ask, Fence, Start, End, Read, Crash, Freeze, Discard, Wake, Close };

    PaneLifecycle(PaneEngine& engine, PaneReports& reports, bool givesBackHidden);

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
    // The renderer answered a probe or a read: it runs.
    void rendererAnswered();
    void lifecycleChanged(bool active);
    void recommendationChanged(PageKeeping keeping);
    void timerFired(PaneTimer timer);

    State state() const { return m_state; }
    const std::optional<Document>& document() const { return m_document; }

private:
    // A move of the table: from which states, by what, to which states, and what goes with it.
    struct Move {
        unsigned from;
        Trigger by;
        unsigned to;
        void (PaneLifecycle::*effect)();
    };
    static const Move* findMove(State from, Trigger by);
    bool allows(Trigger by) const;
    // Makes the move by `by` to `to`, if the table has one by `by` from the state now.
    bool advance(State to, Trigger by);
    // What goes with the moves.
    void beginLoad();
    void dropReads();
    bool timerRuns(PaneTimer timer) const;
    // The program waits on the renderer: a load it asked for, or a read.
    bool waitsOnRenderer() const;
    // The page reported is shown: a script may retitle it.
    bool showsReported() const;

    void probe();
    void ask(const QUrl& url, const QUrl& address, bool reload = false);
    void showErrorPage(const QUrl& failed);
    void read(const QUrl& shown, const std::optional<QUrl>& failed = std::nullopt);
    void askRead();
    void report();
    void followTitle(const std::optional<DocumentRead>& read);
    void recover();
    void considerGivingBack();
    bool mayGiveBack() const;
    void giveBack();
    bool isOwnErrorPage(const QUrl& url) const;

    PaneEngine& m_engine;
    PaneReports& m_reports;
    const bool m_givesBackHidden;
    State m_state = State::Idle;
    PaneLoad m_load;
    // A load the program asked for is owed one report, whatever it brings, until a later
    // request takes it over or the pane closes.
    bool m_reportOwed = false;
    // When the renderer was first asked something that it has not answered since, while the
    // program waits on it.
    std::optional<qint64> m_silentSince;
    // The document as read at its report, for the program to look at.
    std::optional<Document> m_document;
    // The document reported last, and the address then shown: a load of the page's own that ends
    // with it still shown has nothing new.
    QString m_reported;
    QUrl m_shownReported;
    // When the crash reloads of the last minute were asked for: a budget spans many loads.
    std::deque<qint64> m_crashReloads;
    // A request's page may be loaded again once outside the crash budget (see `recover`).
    bool m_reloadsFree = false;
    bool m_endedOwnHang = false;
    // What the program says of the pane; no load state tells it.
    bool m_hidden = false;
    bool m_runsWhileHidden = false;
};

const char* nameOf(PaneLifecycle::State state);
const char* nameOf(PaneLifecycle::Trigger trigger);

} // namespace corvalen
