#include "sound_server.h"

#include "eventually.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QFile>
#include <algorithm>
#include <chrono>
#include <cmath>

namespace corvalen::testing {

namespace {

constexpr int kRate = 44100;
// Softer than this is silence: far below half the level of any tone, far above the null sink's
// rounding.
constexpr int kSilence = 40;
constexpr int kStartTimeoutMs = 5000;

bool pactl(const QStringList& arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(QStringLiteral("pactl"), arguments);
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
}

// The lines of `pactl list short` of these objects, one a line, its fields apart by tabs.
QList<QByteArray> listed(const QString& objects)
{
    QProcess list;
    list.start(
        QStringLiteral("pactl"), { QStringLiteral("list"), QStringLiteral("short"), objects });
    list.waitForFinished();
    return list.readAllStandardOutput().split('\n');
}

} // namespace

namespace sound_server {

bool isRunning()
{
    return !qEnvironmentVariableIsEmpty("PULSE_SERVER") && pactl({ QStringLiteral("info") });
}

void addSink(const QString& name)
{
    pactl({ QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
        QStringLiteral("sink_name=") + name });
}

void removeSink(const QString& name)
{
    for (const QByteArray& line : listed(QStringLiteral("modules")))
        if (line.contains("module-null-sink") && line.contains("sink_name=" + name.toUtf8()))
            pactl(
                { QStringLiteral("unload-module"), QString::fromLatin1(line.split('\t').first()) });
}

void setDefaultSink(const QString& name)
{
    pactl({ QStringLiteral("set-default-sink"), name });
}

QString sinkState(const QString& name)
{
    for (const QByteArray& line : listed(QStringLiteral("sinks")))
        if (line.split('\t').value(1) == name.toUtf8())
            return QString::fromLatin1(line.split('\t').value(4));
    return {};
}

} // namespace sound_server

SinkRecorder::SinkRecorder(const QString& sink)
    : m_parec(std::make_unique<QProcess>())
{
    QObject::connect(m_parec.get(), &QProcess::readyReadStandardOutput, [this] { read(); });
    m_parec->start(QStringLiteral("parec"),
        { QStringLiteral("--device=") + sink + QStringLiteral(".monitor"), QStringLiteral("--raw"),
            QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
            QStringLiteral("--rate=%1").arg(kRate), QStringLiteral("--latency-msec=10") });
    m_parec->waitForStarted();
}

SinkRecorder::~SinkRecorder()
{
    m_parec->kill();
    m_parec->waitForFinished();
}

void SinkRecorder::read()
{
    const QByteArray bytes = m_parec->readAllStandardOutput();
    const auto* samples = reinterpret_cast<const qint16*>(bytes.constData());
    m_samples.append(QVector<qint16>(samples, samples + bytes.size() / 2));
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    m_arrivals.append({ std::chrono::nanoseconds(now).count(), m_samples.size() });
}

bool SinkRecorder::waitUntilRecording()
{
    return waitUntil([this] { return !m_samples.isEmpty(); }, kStartTimeoutMs);
}

QList<Sound> SinkRecorder::sounds(double gapSeconds) const
{
    const_cast<SinkRecorder*>(this)->read();
    QList<Sound> heard = soundsIn(m_samples, gapSeconds);
    for (Sound& sound : heard) {
        // The sink hands its monitor whole blocks, some rendered ahead of time: the arrival of the
        // block that holds the first sample is the one time known not to be early.
        for (const auto& [at, count] : m_arrivals)
            if (count > sound.firstSample) {
                sound.startedAtNs = at;
                break;
            }
    }
    return heard;
}

QList<Sound> soundsIn(const QVector<qint16>& mono, double gapSeconds)
{
    QList<Sound> heard;
    const auto gap = qsizetype(gapSeconds * kRate);
    qsizetype begin = -1;
    qsizetype last = -1;
    qsizetype longestSilence = 0;
    auto close = [&] {
        double sum = 0;
        for (qsizetype i = begin; i <= last; ++i)
            sum += double(mono[i]) * mono[i];
        const qsizetype length = last - begin + 1;
        heard.append({ double(length) / kRate, std::sqrt(sum / length) / 32768.0, begin, 0,
            double(longestSilence) / kRate });
    };
    for (qsizetype i = 0; i < mono.size(); ++i) {
        if (std::abs(mono[i]) <= kSilence)
            continue;
        if (begin >= 0 && i - last > gap) {
            close();
            begin = -1;
        }
        if (begin < 0) {
            begin = i;
            longestSilence = 0;
        } else {
            longestSilence = std::max(longestSilence, i - last - 1);
        }
        last = i;
    }
    if (begin >= 0)
        close();
    return heard;
}

QVector<qint16> decodeReference(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QAudioFormat mono;
    mono.setSampleRate(kRate);
    mono.setChannelCount(1);
    mono.setSampleFormat(QAudioFormat::Int16);
    QAudioDecoder decoder;
    decoder.setAudioFormat(mono);
    decoder.setSourceDevice(&file);
    QVector<qint16> samples;
    bool done = false;
    QObject::connect(&decoder, &QAudioDecoder::bufferReady, [&] {
        const QAudioBuffer buffer = decoder.read();
        samples.append(QVector<qint16>(
            buffer.constData<qint16>(), buffer.constData<qint16>() + buffer.sampleCount()));
    });
    QObject::connect(&decoder, &QAudioDecoder::finished, [&] { done = true; });
    QObject::connect(&decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), [&] {
        samples.clear();
        done = true;
    });
    decoder.start();
    waitUntil([&] { return done; }, kStartTimeoutMs);
    return done ? samples : QVector<qint16>();
}

} // namespace corvalen::testing
