#include "platform_rules/pane_lifecycle.h"
#include "platform_rules/pane_log.h"

#include <algorithm>

namespace corvalen {

Q_LOGGING_CATEGORY(lcPanes, "corvalen.panes")

namespace {
using State = PaneLifecycle::State;
using Trigger = PaneLifecycle::Trigger;

constexpr const char* kStateNames[] = { "Idle", "Asked", "Loading", "Reading", "Shown", "ErrorPage",
    "Crashed", "Frozen", "GivenBack", "Closed" };
static_assert(std::size(kStateNames) == std::size_t(State::Closed) + 1);
constexpr const char* kTriggerNames[] = { "Ask", "Fence", "Begin", "Start", "End", "Read",
    "Retitle", "Crash", "Freeze", "Discard", "Wake", "Close" };
static_assert(std::size(kTriggerNames) == std::size_t(Trigger::Close) + 1);

constexpr unsigned of(std::initializer_list<State> states)
{
    unsigned set = 0;
    for (State state : states)
        set |= 1u << static_cast<unsigned>(state);
    return set;
}
constexpr unsigned kOpen = ~of({ State::Closed });

// What goes with a move, whatever calls it.
enum Effect : unsigned {
    // A new record of the load: reads, fences and events of the one before are stale.
    NewLoad = 1,
    // The same load, numbered anew: its reads underway are stale.
    Renumber = 2,
    // No timer of the state left behind fires.
    StopTimers = 4,
    // The page is read: no read again, no timeout.
    StopReadTimers = 8,
};

// Every move a pane's lifecycle may make: from which states, by what, to which states.
struct Move {
    unsigned from;
    Trigger by;
    unsigned to;
    unsigned effects;
};
constexpr Move kMoves[] = {
    // A load asked for (by the program, by a crash's recovery, or for our error page), a crash
    // (not of a page given back) and closing come in any state.
    { kOpen, Trigger::Ask, of({ State::Asked }), NewLoad | StopTimers },
    { kOpen & ~of({ State::Crashed, State::GivenBack }), Trigger::Crash, of({ State::Crashed }),
        Renumber | StopTimers },
    { kOpen, Trigger::Close, of({ State::Closed }), Renumber | StopTimers },
    // The events posted before a load asked for have arrived: what comes now is its own.
    { of({ State::Asked }), Trigger::Fence, of({ State::Loading }), 0 },
    { of({ State::Loading }), Trigger::Begin, of({ State::Loading }), 0 },
    // The page goes somewhere by itself: a page frozen just then must run to load.
    { of({ State::Idle, State::Reading, State::Shown, State::ErrorPage, State::Frozen }),
        Trigger::Start, of({ State::Loading }), NewLoad | StopTimers },
    // A load ends with a page to read, with our error page that failed too, or with nothing.
    { of({ State::Loading }), Trigger::End, of({ State::Reading, State::ErrorPage, State::Idle }),
        0 },
    { of({ State::Reading }), Trigger::Read, of({ State::Shown, State::ErrorPage }),
        StopReadTimers },
    // A script retitles the page reported.
    { of({ State::Shown, State::ErrorPage }), Trigger::Retitle,
        of({ State::Shown, State::ErrorPage }), 0 },
    // A hidden page is frozen, then given back, and wakes when shown.
    { of({ State::Shown }), Trigger::Freeze, of({ State::Frozen }), 0 },
    { of({ State::Frozen }), Trigger::Discard, of({ State::GivenBack }), 0 },
    { of({ State::Frozen, State::GivenBack }), Trigger::Wake, of({ State::Shown }), 0 },
};

const Move* find(State from, Trigger by, std::optional<State> to = std::nullopt)
{
    const auto move = std::find_if(std::begin(kMoves), std::end(kMoves), [&](const Move& m) {
        return m.by == by && (m.from & of({ from })) && (!to || (m.to & of({ *to })));
    });
    return move == std::end(kMoves) ? nullptr : move;
}
} // namespace

const char* nameOf(State state)
{
    return kStateNames[static_cast<std::size_t>(state)];
}

const char* nameOf(Trigger trigger)
{
    return kTriggerNames[static_cast<std::size_t>(trigger)];
}

bool PaneLifecycle::allows(Trigger by) const
{
    return find(m_state, by) != nullptr;
}

// A move the table does not know is a fault of this pane's code, never of a page: it stops a
// debug build at once, and a release build says so and goes on.
void PaneLifecycle::moveTo(State to, Trigger by)
{
    const Move* move = find(m_state, by, to);
    if (!move) {
#ifdef QT_NO_DEBUG
        qCCritical(lcPanes, "no move from %s to %s by %s", nameOf(m_state), nameOf(to), nameOf(by));
#else
        qFatal("no move from %s to %s by %s", nameOf(m_state), nameOf(to), nameOf(by));
#endif
    }
    m_state = to;
    const unsigned effects = move ? move->effects : 0;
    if (effects & NewLoad)
        m_load = PaneLoad { m_load.number + 1, m_load.address, false, false, std::nullopt, 0 };
    if (effects & Renumber)
        ++m_load.number;
    for (PaneTimer timer : kPaneTimers)
        if ((effects & StopTimers)
            || ((effects & StopReadTimers)
                && (timer == PaneTimer::ReadAgain || timer == PaneTimer::ReadTimeout)))
            m_engine.disarmTimer(timer);
}

} // namespace corvalen
