#pragma once

#include "platform_rules/trim_pacer.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace corvalen {

// Gives the heap that the program has freed back to the system. The allocator keeps what a page
// given back or a tab switch frees for reuse, and a program that runs all day next to a browser
// should hold only what it uses. Only glibc's allocator is asked; elsewhere this does nothing.
// The trim runs from its own timer, never inside a watch's tick or a document's reading.
class HeapTrimmer : public QObject {
public:
    explicit HeapTrimmer(QObject* parent = nullptr);

    void ask(int afterMs);
    // How long the longest trim held the window thread up, for the footprint benchmark.
    qint64 longestStallUs() const { return m_longestStallUs; }
    int trims() const { return m_trims; }

private:
    void trim();

    TrimPacer m_pacer;
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longestStallUs = 0;
    int m_trims = 0;
};

} // namespace corvalen
