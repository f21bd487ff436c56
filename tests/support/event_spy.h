#pragma once

#include "toolkit/event.h"

#include <tuple>
#include <vector>

namespace corvalen::testing {

// Records every raise of a control event with its arguments, in place of a counter by hand.
template <typename... Args> class EventSpy {
public:
    explicit EventSpy(Event<Args...>& event)
    {
        event.connect([this](Args... args) { calls.emplace_back(args...); });
    }

    int count() const { return static_cast<int>(calls.size()); }

    std::vector<std::tuple<std::decay_t<Args>...>> calls;
};

} // namespace corvalen::testing
