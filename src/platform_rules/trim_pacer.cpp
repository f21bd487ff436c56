#include "trim_pacer.h"

#include <algorithm>

namespace corvalen {

std::optional<qint64> TrimPacer::ask(qint64 now, qint64 afterMs)
{
    if (m_due)
        return std::nullopt;
    qint64 due = now + afterMs;
    if (m_last)
        due = std::max(due, *m_last + kIntervalMs);
    m_due = due;
    return due - now;
}

void TrimPacer::trimmed(qint64 now)
{
    m_due.reset();
    m_last = now;
}

} // namespace corvalen
