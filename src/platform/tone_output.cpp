#include "tone_output.h"

#include "default_output.h"
#include "mp3_decoding.h"
#include "tone_feed.h"

#include <QAudioSink>
#include <QCoreApplication>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

namespace corvalen {

namespace {

// The player's volume: half, never muted.
constexpr float kVolume = 0.5f;
// How much the output holds ahead: what a new tone waits behind, and how much of a tone cut off
// by the next one still sounds.
constexpr int kOutputAheadMs = 30;
// An output that failed is tried again after this pause, not in a busy loop.
constexpr int kOutputRetryMs = 1000;
// Qt 6.4's PulseAudio output may still call back into a stream it has just stopped, from the
// sound server's thread: a closed output goes only once it has long been quiet.
constexpr int kQuietMs = 2000;

QAudioFormat toneFormat()
{
    QAudioFormat format;
    format.setSampleRate(kToneRate);
    format.setChannelCount(kToneChannels);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

} // namespace

ToneOutput::~ToneOutput()
{
    closeOutput();
    if (m_decoding)
        m_decoding->waitForFinished();
}

void ToneOutput::open()
{
    m_feed = new ToneFeed(this);
    m_default = new DefaultOutput(this);
    m_decoding = new QFutureWatcher<QByteArray>(this);
    m_retry = new QTimer(this);
    m_retry->setSingleShot(true);
    m_retry->setInterval(kOutputRetryMs);
    connect(m_retry, &QTimer::timeout, this, &ToneOutput::followDefaultOutput);
    connect(m_default, &DefaultOutput::changed, this, &ToneOutput::followDefaultOutput);
    connect(m_decoding, &QFutureWatcher<QByteArray>::finished, this, [this] {
        // Only the tone asked for last plays; one decoded after it was overtaken is dropped.
        const QByteArray samples = m_decoding->result();
        if (m_decodingRequest != m_request || samples.isEmpty())
            return;
        followDefaultOutput();
        m_feed->play(samples);
    });
    followDefaultOutput();
}

void ToneOutput::cutOff(quint64 request)
{
    m_request = request;
    m_feed->stop();
}

void ToneOutput::play(quint64 request, const QByteArray& file)
{
    if (request != m_request)
        return;
    m_decodingRequest = request;
    m_decoding->setFuture(QtConcurrent::run(decodeMp3, file));
}

void ToneOutput::followDefaultOutput()
{
    const QAudioDevice device = m_default->device();
    const bool running = m_sink && m_sink->state() != QAudio::StoppedState;
    // Qt's devices compare unequal once their details change; the output is the same by its id.
    if (running && device.id() == m_device.id())
        return;
    closeOutput();
    if (!device.isNull())
        openOutput(device);
}

void ToneOutput::openOutput(const QAudioDevice& device)
{
    m_device = device;
    m_sink = new QAudioSink(device, toneFormat());
    m_sink->setVolume(kVolume);
    m_sink->setBufferSize(kToneRate * kToneBytesPerFrame * kOutputAheadMs / 1000);
    connect(m_sink, &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        // An output that went away or failed is replaced by the default, after a pause.
        if (state == QAudio::StoppedState && !m_retry->isActive())
            m_retry->start();
    });
    m_feed->setOutput(m_sink);
}

void ToneOutput::closeOutput()
{
    if (m_feed)
        m_feed->setOutput(nullptr);
    if (QAudioSink* sink = std::exchange(m_sink, nullptr)) {
        sink->disconnect(this);
        sink->stop();
        // It goes to the window thread, whose event loop still runs when this thread has ended.
        // (A program that ends first leaves it to the system.)
        sink->moveToThread(QCoreApplication::instance()->thread());
        QTimer::singleShot(kQuietMs, sink, &QObject::deleteLater);
    }
    m_device = QAudioDevice();
}

} // namespace corvalen
