#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

namespace corvalen {

// A control event: the handlers attached by the subsystems, run in the order they were attached.
// Raising works on a copy of the list, so a handler may attach another one without trouble.
template <typename... Args> class Event {
public:
    using Handler = std::function<void(Args...)>;

    // The handler runs for as long as `context` lives: a subsystem passes itself, so that its
    // handler never runs on a subsystem that is gone.
    void connect(const QObject* context, Handler handler)
    {
        dropHandlersWhoseContextIsGone();
        m_handlers.push_back({ context, true, std::move(handler) });
    }

    // A handler that only uses what lives as long as the event itself.
    void connect(Handler handler) { m_handlers.push_back({ nullptr, false, std::move(handler) }); }

    void raise(Args... args) const
    {
        const auto handlers = m_handlers;
        for (const auto& entry : handlers) {
            if (!entry.hasContext || entry.context)
                entry.handler(args...);
        }
    }

private:
    struct Entry {
        QPointer<const QObject> context;
        bool hasContext;
        Handler handler;
    };

    void dropHandlersWhoseContextIsGone()
    {
        std::erase_if(
            m_handlers, [](const Entry& entry) { return entry.hasContext && !entry.context; });
    }

    std::vector<Entry> m_handlers;
};

} // namespace corvalen
