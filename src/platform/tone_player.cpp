#include "tone_player.h"

#include "mp3_decoding.h"

#include <QAudioSink>
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

QAudioFormat toneFormat()
{
    QAudioFormat format;
    format.setSampleRate(kToneRate);
    format.setChannelCount(kToneChannels);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

} // namespace

TonePlayer::TonePlayer(QObject* parent)
    : QObject(parent)
    , m_retry(new QTimer(this))
{
    m_retry->setSingleShot(true);
    m_retry->setInterval(kOutputRetryMs);
    connect(m_retry, &QTimer::timeout, this, &TonePlayer::followDefaultOutput);
    connect(&m_default, &DefaultOutput::changed, this, &TonePlayer::followDefaultOutput);
    connect(&m_decoding, &QFutureWatcher<QByteArray>::finished, this, [this] {
        // Only the tone asked for last plays; one decoded after it was overtaken is dropped.
        if (m_decodingRequest == m_request)
            play(m_decoding.result());
    });
    followDefaultOutput();
}

TonePlayer::~TonePlayer()
{
    closeOutput();
    m_decoding.waitForFinished();
}

void TonePlayer::setURL(const QString& url)
{
    m_url = url;
    const quint64 request = ++m_request;
    // The tone playing stops now, not when the next one is ready: the user hears the latest.
    m_feed.stop();
    m_fetch.fetch(url, [this, request](const QByteArray& file) {
        if (request != m_request || file.isEmpty())
            return;
        m_decodingRequest = request;
        m_decoding.setFuture(QtConcurrent::run(decodeMp3, file));
    });
}

void TonePlayer::play(const QByteArray& samples)
{
    if (samples.isEmpty())
        return;
    followDefaultOutput();
    m_feed.play(samples);
}

void TonePlayer::followDefaultOutput()
{
    const QAudioDevice device = m_default.device();
    const bool running = m_sink && m_sink->state() != QAudio::StoppedState;
    // Qt's devices compare unequal once their details change; the output is the same by its id.
    if (running && device.id() == m_device.id())
        return;
    closeOutput();
    if (!device.isNull())
        openOutput(device);
}

void TonePlayer::openOutput(const QAudioDevice& device)
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
    m_feed.setOutput(m_sink);
}

void TonePlayer::closeOutput()
{
    m_feed.setOutput(nullptr);
    if (m_sink) {
        m_sink->disconnect(this);
        m_sink->stop();
        // Qt 6.4's PulseAudio output may still call back into a stream it has just stopped, from
        // the sound server's thread: the output goes only once it has long been quiet. (A
        // program that ends first leaves it to the system.)
        constexpr int kQuietMs = 2000;
        m_sink->setParent(nullptr);
        QTimer::singleShot(kQuietMs, m_sink, &QObject::deleteLater);
        m_sink = nullptr;
    }
    m_device = QAudioDevice();
}

} // namespace corvalen
