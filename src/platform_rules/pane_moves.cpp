#include "platform_rules/navigation_policy.h"
#include "platform_rules/pane_lifecycle.h"

#include <algorithm>

namespace corvalen {

namespace {
using State = PaneLifecycle::State;
using Trigger = PaneLifecycle::Trigger;

constexpr const char* kStateNames[] = { "Idle", "Asked", "Loading", "Reading", "Shown", "ErrorPage",
    "Crashed", "Frozen", "GivenBack", "Closed" };
static_assert(std::size(kStateNames) == std::size_t(State::Closed) + 1);
constexpr const char* kTriggerNames[]
    = { "Ask", "Fence", "Start", "End", "Read", "Crash", "Freeze", "Discard", "Wake", "Close" };
static_assert(std::size(kTriggerNames) == std::size_t(Trigger::Close) + 1);

constexpr unsigned of(std::initializer_list<State> states)
{
    unsigned set = 0;
    for (State state : states)
        set |= 1u << static_cast<unsigned>(state);
    return set;
}
constexpr unsigned kOpen = ~of({ State::Closed });
} // namespace

const char* nameOf(State state)
{
    return kStateNames[static_cast<std::size_t>(state)];
}

const char* nameOf(Trigger trigger)
{
    return kTriggerNames[static_cast<std::size_t>(trigger)];
}

// Every move a pane's lifecycle may make: from which states, by what, to which states, and what
// goes with it. Whatever the move, the timers of the state left behind stop.
const PaneLifecycle::Move* PaneLifecycle::findMove(State from, Trigger by)
{
    using L = PaneLifecycle;
    static constexpr Move kMoves[] = {
        // A load asked for (by the program, by a crash's recovery, or for our error page), a
        // crash (not of a page given back) and closing come in any state.
        { kOpen, Trigger::Ask, of({ State::Asked }), &L::beginLoad },
        { kOpen & ~of({ State::Crashed, State::GivenBack }), Trigger::Crash, of({ State::Crashed }),
            &L::dropReads },
        { kOpen, Trigger::Close, of({ State::Closed }), &L::dropReads },
        // The events posted before a load asked for have arrived: what comes now is its own.
        { of({ State::Asked }), Trigger::Fence, of({ State::Loading }), nullptr },
        // The page goes somewhere by itself: a page frozen just then must run to load.
        { of({ State::Idle, State::Reading, State::Shown, State::ErrorPage, State::Frozen }),
            Trigger::Start, of({ State::Loading }), &L::beginLoad },
        // A load ends with a page to read, with our error page that failed too, or with nothing.
        { of({ State::Loading }), Trigger::End,
            of({ State::Reading, State::ErrorPage, State::Idle }), nullptr },
        { of({ State::Reading }), Trigger::Read, of({ State::Shown, State::ErrorPage }), nullptr },
        // A hidden page is frozen, then given back, and wakes when shown.
        { of({ State::Shown }), Trigger::Freeze, of({ State::Frozen }), nullptr },
        { of({ State::Frozen }), Trigger::Discard, of({ State::GivenBack }), nullptr },
        { of({ State::Frozen, State::GivenBack }), Trigger::Wake, of({ State::Shown }), nullptr },
    };
    const auto move = std::find_if(std::begin(kMoves), std::end(kMoves),
        [&](const Move& m) { return m.by == by && (m.from & of({ from })); });
    return move == std::end(kMoves) ? nullptr : move;
}

bool PaneLifecycle::allows(Trigger by) const
{
    return findMove(m_state, by) != nullptr;
}

// A move to a state the table does not allow is a fault of this pane's code, never of a page: it
// stops a debug build at once, and a release build says so and goes on.
bool PaneLifecycle::advance(State to, Trigger by)
{
    const Move* move = findMove(m_state, by);
    if (!move)
        return false;
    if (!(move->to & of({ to }))) {
#ifdef QT_NO_DEBUG
        qCCritical(lcPanes, "no move from %s to %s by %s", nameOf(m_state), nameOf(to), nameOf(by));
#else
        qFatal("no move from %s to %s by %s", nameOf(m_state), nameOf(to), nameOf(by));
#endif
    }
    m_state = to;
    if (move->effect)
        (this->*move->effect)();
    for (PaneTimer timer : kPaneTimers)
        if (!timerRuns(timer))
            m_engine.disarmTimer(timer);
    if (!waitsOnRenderer())
        m_silentSince.reset();
    return true;
}

// A new record of the load: reads, fences and events of the one before are stale.
void PaneLifecycle::beginLoad()
{
    m_load = PaneLoad {
        .number = m_load.number + 1,
        .address = m_load.address,
        .errorPageFor = m_load.errorPageFor,
    };
}

// The same load, numbered anew: its reads underway are stale.
void PaneLifecycle::dropReads()
{
    ++m_load.number;
}

bool PaneLifecycle::timerRuns(PaneTimer timer) const
{
    switch (timer) {
    case PaneTimer::Discard:
        return m_state == State::Shown;
    case PaneTimer::Recovery:
        return m_state == State::Crashed;
    case PaneTimer::ReadAgain:
        return m_state == State::Reading;
    case PaneTimer::Probe:
        return waitsOnRenderer();
    }
    return false;
}

// A person's own browsing is left alone; what the program asked for, and every read, is not.
bool PaneLifecycle::waitsOnRenderer() const
{
    return m_state == State::Asked || m_state == State::Reading
        || (m_state == State::Loading && m_reportOwed);
}

bool PaneLifecycle::showsReported() const
{
    return m_state == State::Shown || m_state == State::ErrorPage;
}

} // namespace corvalen
