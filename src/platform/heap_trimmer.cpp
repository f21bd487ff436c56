#include "heap_trimmer.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace corvalen {

HeapTrimmer::HeapTrimmer(QObject* parent)
    : QObject(parent)
{
    m_clock.start();
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &HeapTrimmer::trim);
}

void HeapTrimmer::ask(int afterMs)
{
    if (const auto due = m_pacer.ask(m_clock.elapsed(), afterMs))
        m_timer.start(static_cast<int>(*due));
}

void HeapTrimmer::trim()
{
    QElapsedTimer stall;
    stall.start();
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
    m_longestStallUs = std::max(m_longestStallUs, stall.nsecsElapsed() / 1000);
    ++m_trims;
    m_pacer.trimmed(m_clock.elapsed());
}

} // namespace corvalen
