#pragma once

#include "event.h"

#include <functional>
#include <memory>
#include <vector>

namespace corvalen {

// Controls of one kind that share a name and are told apart by an index. A handler attached to
// the array gets the index of the member whose event it is.
template <typename T> class ControlArray {
public:
    template <typename Make> ControlArray(int count, Make make)
    {
        for (int i = 0; i < count; ++i)
            m_members.push_back(make(i));
    }

    T& operator()(int index) { return *m_members.at(static_cast<std::size_t>(index)); }
    const T& operator()(int index) const { return *m_members.at(static_cast<std::size_t>(index)); }
    int Count() const { return static_cast<int>(m_members.size()); }

    void connect(Event<> T::*event, std::function<void(int)> handler)
    {
        for (int i = 0; i < Count(); ++i)
            ((*this)(i).*event).connect([handler, i] { handler(i); });
    }

    // The handler runs for as long as `context` lives, as for one control's event.
    void connect(Event<> T::*event, const QObject* context, std::function<void(int)> handler)
    {
        for (int i = 0; i < Count(); ++i)
            ((*this)(i).*event).connect(context, [handler, i] { handler(i); });
    }

private:
    std::vector<std::unique_ptr<T>> m_members;
};

} // namespace corvalen
