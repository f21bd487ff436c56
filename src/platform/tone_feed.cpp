#include "tone_feed.h"

#include "mp3_decoding.h"

#include <QAudioSink>
#include <algorithm>

namespace corvalen {

namespace {

// How often the output is topped up while a tone plays: well within what the server holds.
constexpr int kFeedIntervalMs = 10;
// The output rests once the last samples written have long sounded, and a tone that follows at
// once (one that cut another off) finds it still running.
constexpr int kRestAfterMs = 500;
// An output that takes nothing of a tone for this long, many times what it holds, has died.
constexpr int kStalledAfterMs = 500;

// An underrun is no failure: the output only ran dry between two writes.
bool failed(QAudio::Error error)
{
    return error == QAudio::OpenError || error == QAudio::IOError || error == QAudio::FatalError;
}

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
    if (m_sink && m_sink->state() == QAudio::ActiveState) {
        // What the old output holds has not sounded yet: the new one plays it.
        const qsizetype held = m_sink->bufferSize() - m_sink->bytesFree();
        m_written -= std::clamp<qsizetype>(held - held % kToneBytesPerFrame, 0, m_written);
    }
    m_sink = sink;
    m_device = sink ? sink->start() : nullptr;
    m_sinceTaken.start();
    if (m_device)
        feed();
    else
        m_timer.stop();
}

void ToneFeed::play(const QByteArray& samples)
{
    m_samples = samples;
    m_written = 0;
    m_sinceTaken.start();
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
    const qint64 taken = room > 0 ? m_device->write(m_samples.constData() + m_written, room) : 0;
    if (taken > 0) {
        m_written += taken;
        m_sinceTaken.start();
    } else if (taken < 0 || failed(m_sink->error()) || m_sinceTaken.hasExpired(kStalledAfterMs)) {
        giveUp();
    }
}

// No busy loop on a dead output: the tone goes, and the feed rests until the next one.
void ToneFeed::giveUp()
{
    m_timer.stop();
    m_samples.clear();
    m_written = 0;
    emit stalled();
}

void ToneFeed::rest()
{
    if (m_sink && m_sink->state() != QAudio::StoppedState)
        m_sink->suspend();
}

} // namespace corvalen
