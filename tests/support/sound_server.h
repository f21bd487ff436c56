#pragma once

#include <QList>
#include <QProcess>
#include <QString>
#include <QVector>
#include <memory>

namespace corvalen::testing {

// The private sound server the test command starts (scripts/with-sound-server.sh): its outputs
// are null sinks, made and removed by the tests, and what reaches one is recorded from its
// monitor. A test that hears tones fails without the server rather than pass on silence.
namespace sound_server {
bool isRunning();
// A new silent output under this name.
void addSink(const QString& name);
void removeSink(const QString& name);
void setDefaultSink(const QString& name);
// RUNNING while a stream plays into the output, IDLE or SUSPENDED while none does.
QString sinkState(const QString& name);
} // namespace sound_server

// What one stretch of sound was: how long it lasted, how loud it was (RMS, full scale 1) and
// whether it had holes.
struct Sound {
    double seconds = 0;
    double rms = 0;
    qsizetype firstSample = 0;
    // When its first sample reached the sink, on std::chrono::steady_clock (ns); recordings only.
    qint64 startedAtNs = 0;
    // The longest stretch of silence inside it, shorter than the gap that splits two sounds.
    double longestSilence = 0;
};

// Records a sink's monitor (mono, 16 bit) from construction until destruction.
class SinkRecorder {
public:
    explicit SinkRecorder(const QString& sink);
    ~SinkRecorder();

    // Waits until the monitor's first samples came: what plays from then on is recorded.
    bool waitUntilRecording();
    // The stretches of sound heard so far, split where at least gapSeconds of silence lie.
    QList<Sound> sounds(double gapSeconds = 0.3) const;
    bool isSilent() const { return sounds().isEmpty(); }

private:
    void read();

    std::unique_ptr<QProcess> m_parec;
    QVector<qint16> m_samples;
    // The monotonic time at which each block of samples arrived, and the count after it.
    QList<QPair<qint64, qsizetype>> m_arrivals;
};

// The same measure, on samples: a recording's, or a file's as it is meant to sound.
QList<Sound> soundsIn(const QVector<qint16>& mono, double gapSeconds = 0.3);

// A tone file decoded by the system's media framework, not by the player's decoder, to mono at
// the recorder's rate: the reference a recording is judged against.
QVector<qint16> decodeReference(const QString& fileName);

} // namespace corvalen::testing
