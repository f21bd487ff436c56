#include "tone_output.h"

#include "default_output.h"
#include "mp3_decoding.h"
#include "tone_feed.h"

#include <QAudioSink>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#ifdef Q_OS_WIN
#include <objbase.h>
#endif

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
// sound server's thread: there a closed output goes only once it has long been quiet.
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

// On this thread, which ends with it. A closed output still waiting to go is left to the system,
// which ends the program: its wait guards against callbacks, and none matters any more.
ToneOutput::~ToneOutput()
{
    closeOutput();
    if (m_decoding)
        m_decoding->waitForFinished();
#ifdef Q_OS_WIN
    if (m_comInitialised)
        CoUninitialize();
#endif
}

void ToneOutput::open()
{
#ifdef Q_OS_WIN
    // Qt's WASAPI output makes its resampler's COM objects on the thread that makes the output,
    // as a single-threaded apartment, and releases them on the thread that deletes it. This
    // thread joins that apartment once for its whole life, so that every output opened and closed
    // here finds it and none tears it down; a thread of another kind would make Qt's own calls
    // fail. The window thread's apartment is never touched.
    m_comInitialised = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
#endif
    m_feed = new ToneFeed(this);
    m_default = new DefaultOutput(this);
    m_decoding = new QFutureWatcher<QByteArray>(this);
    m_retry = new QTimer(this);
    m_retry->setSingleShot(true);
    m_retry->setInterval(kOutputRetryMs);
    connect(m_retry, &QTimer::timeout, this, &ToneOutput::followDefaultOutput);
    connect(m_default, &DefaultOutput::changed, this, &ToneOutput::followDefaultOutput);
    // Queued: the feed reports from the midst of its writing into the output it would replace.
    connect(m_feed, &ToneFeed::stalled, this, &ToneOutput::replaceOutput, Qt::QueuedConnection);
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
    if (device.isNull())
        m_feed->stop(); // a tone not heard now is not played late when an output comes
    else
        openOutput(device);
}

void ToneOutput::replaceOutput()
{
    closeOutput();
    followDefaultOutput();
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
        // Made, used and deleted on this thread alone, where its platform parts live.
#ifdef CORVALEN_WITH_PULSEAUDIO
        QTimer::singleShot(kQuietMs, sink, &QObject::deleteLater);
#else
        delete sink;
#endif
    }
    m_device = QAudioDevice();
}

} // namespace corvalen
