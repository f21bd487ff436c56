#pragma once

#include <QElapsedTimer>
#include <QUrl>
#include <deque>

namespace corvalen {

// How often a pane may reload an address whose renderer crashed: a few times a minute, however
// many of those loads succeeded in between, so that a page that kills its renderer after every
// load costs a handful of loads, not a loop.
class CrashBudget {
public:
    CrashBudget() { m_clock.start(); }

    // True, and counted, when one more reload of the address fits in the last minute.
    bool allowReload(const QUrl& address)
    {
        if (address != m_address) {
            m_address = address;
            m_reloads.clear();
        }
        const qint64 now = m_clock.elapsed();
        while (!m_reloads.empty() && now - m_reloads.front() >= kWindowMs)
            m_reloads.pop_front();
        if (m_reloads.size() >= kMaxReloads)
            return false;
        m_reloads.push_back(now);
        return true;
    }

private:
    static constexpr std::size_t kMaxReloads = 3;
    static constexpr qint64 kWindowMs = 60000;

    QElapsedTimer m_clock;
    QUrl m_address;
    std::deque<qint64> m_reloads;
};

} // namespace corvalen
