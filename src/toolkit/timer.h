#pragma once

#include "event.h"

#include <QTimer>

namespace corvalen {

// A window timer: it ticks every Interval milliseconds; an Interval of 0 stops it.
class Timer {
public:
    Timer();

    int Interval() const { return m_interval; }
    void setInterval(int milliseconds);

    // Runs the tick handlers as one elapsed interval would; tests use it to drive time.
    void tick() const { Tick.raise(); }

    Event<> Tick;

private:
    QTimer m_timer;
    int m_interval = 0;
};

} // namespace corvalen
