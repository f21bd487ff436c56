#include "timer.h"

namespace corvalen {

Timer::Timer()
{
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { tick(); });
}

void Timer::setInterval(int milliseconds)
{
    m_interval = milliseconds;
    if (milliseconds <= 0) {
        m_timer.stop();
        return;
    }
    m_timer.start(milliseconds);
}

} // namespace corvalen
