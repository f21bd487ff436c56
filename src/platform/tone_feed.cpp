#include "tone_feed.h"

#include "mp3_decoding.h"

#include <QAudioSink>

namespace corvalen {

namespace {

// How often the output is topped up while a tone plays: well within what the server holds.
constexpr int kFeedIntervalMs = 10;
// The output rests once the last samples written have long sounded, and a tone that follows at
// once (one that cut another off) finds it still running.
constexpr int kRestAfterMs = 500;

} // namespace

ToneFeed::ToneFeed(QObject* parent)
    : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kFeedIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &ToneFeed::feed);
    m_resting.setSingleShot(true);
    m_resting.setInterval(kRestAfterMs);
    connect(&m_resting, &QTimer::timeout, this, &ToneFeed::rest);
}

void ToneFeed::setOutput(QAudioSink* sink)
{
    m_sink = sink;
    m_device = sink ? sink->start() : nullptr;
    feed();
}

void ToneFeed::play(const QByteArray& samples)
{
    m_samples = samples;
    m_written = 0;
    feed();
}

void ToneFeed::feed()
{
    const qsizetype left = m_samples.size() - m_written;
    // With no output the tone is not heard, and not played late when one comes.
    if (left <= 0 || !m_device) {
        m_timer.stop();
        m_samples.clear();
        if (m_device && !m_resting.isActive())
            m_resting.start();
        return;
    }
    m_resting.stop();
    if (m_sink->state() == QAudio::SuspendedState)
        m_sink->resume();
    if (!m_timer.isActive())
        m_timer.start();
    qsizetype room = std::min<qsizetype>(left, m_sink->bytesFree());
    room -= room % kToneBytesPerFrame;
    if (room > 0)
        m_written += std::max<qint64>(0, m_device->write(m_samples.constData() + m_written, room));
}

void ToneFeed::rest()
{
    if (m_sink && m_sink->state() != QAudio::StoppedState)
        m_sink->suspend();
}

} // namespace corvalen
