#include "platform_rules/navigation_policy.h"
#include "platform_rules/pane_lifecycle.h"

#include <algorithm>

namespace corvalen {

namespace {
using State = PaneLifecycle::State;
using Trigger = PaneLifecycle::Trigger;

constexpr unsigned of(std::initializer_list<State> states)
{
    unsigned set = 0;
    for (State state : states)
        set |= 1u << static_cast<unsigned>(state);
    return set;
}
constexpr unsigned kOpen = ~of({ State::Closed });

// Every move a pane's lifecycle may make: from which states, by what, to which states.
struct Moves {
    unsigned from;
    Trigger by;
    unsigned to;
};
constexpr Moves kMoves[] = {
    // A load asked for (by the program, by a crash's recovery, or for our error page), a crash
    // (not of a page given back) and closing come in any state.
    { kOpen, Trigger::Ask, of({ State::Asked }) },
    { kOpen & ~of({ State::Crashed, State::GivenBack }), Trigger::Crash, of({ State::Crashed }) },
    { kOpen, Trigger::Close, of({ State::Closed }) },
    // The events posted before a load asked for have arrived: what comes now is its own.
    { of({ State::Asked }), Trigger::Fence, of({ State::Loading }) },
    // The page goes somewhere by itself.
    { of({ State::Idle, State::Reading, State::Shown, State::ErrorPage, State::Frozen }),
        Trigger::Start, of({ State::Loading }) },
    // A load ends with a page to read, with our error page that failed too, or with nothing.
    { of({ State::Loading }), Trigger::End, of({ State::Reading, State::ErrorPage, State::Idle }) },
    { of({ State::Reading }), Trigger::Read, of({ State::Shown, State::ErrorPage }) },
    // A hidden page is frozen, then given back, and wakes when shown.
    { of({ State::Shown }), Trigger::Freeze, of({ State::Frozen }) },
    { of({ State::Frozen }), Trigger::Discard, of({ State::GivenBack }) },
    { of({ State::Frozen, State::GivenBack }), Trigger::Wake, of({ State::Shown }) },
};
} // namespace

// A move the table does not know is a fault of this pane's code, never of a page: it stops a
// debug build at once, and a release build says so and goes on.
void PaneLifecycle::moveTo(State to, Trigger by)
{
    const bool allowed = std::any_of(std::begin(kMoves), std::end(kMoves), [&](const Moves& m) {
        return m.by == by && (m.from & of({ m_state })) && (m.to & of({ to }));
    });
    if (!allowed) {
#ifdef QT_NO_DEBUG
        qCCritical(lcPanes, "no move from state %d to %d by trigger %d", static_cast<int>(m_state),
            static_cast<int>(to), static_cast<int>(by));
#else
        qFatal("no move from state %d to %d by trigger %d", static_cast<int>(m_state),
            static_cast<int>(to), static_cast<int>(by));
#endif
    }
    m_state = to;
}

} // namespace corvalen
