#pragma once

#include <QtGlobal>
#include <optional>

namespace corvalen {

// When the program gives freed heap back to the system: a moment after it was asked for, and
// at most once in ten seconds, so that a burst of discarded pages and tab switches costs one
// trim.
class TrimPacer {
public:
    static constexpr qint64 kIntervalMs = 10000;

    // Asked at `now` for a trim `afterMs` later: how long from now the trim is due, or nothing
    // when one is due already.
    std::optional<qint64> ask(qint64 now, qint64 afterMs);
    void trimmed(qint64 now);

private:
    std::optional<qint64> m_due;
    std::optional<qint64> m_last;
};

} // namespace corvalen
