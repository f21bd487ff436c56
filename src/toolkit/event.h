#pragma once

#include <functional>
#include <vector>

namespace corvalen {

// A control event: the handlers attached by the subsystems, run in the order they were attached.
// Raising works on a copy of the list, so a handler may attach another one without trouble.
template <typename... Args> class Event {
public:
    using Handler = std::function<void(Args...)>;

    void connect(Handler handler) { m_handlers.push_back(std::move(handler)); }

    void raise(Args... args) const
    {
        const auto handlers = m_handlers;
        for (const auto& handler : handlers)
            handler(args...);
    }

private:
    std::vector<Handler> m_handlers;
};

} // namespace corvalen
