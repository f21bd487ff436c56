#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QAudioSink;
class QIODevice;

namespace corvalen {

// Hands the tone asked for last to the output, from its first sample to its last, a few
// milliseconds ahead of the sound server: the server holds little, so a tone starts at once and a
// new one cuts the old one off. Between tones nothing is written, the timer sleeps and the output
// rests (a corked stream), so that the system may put the sound device to sleep.
class ToneFeed : public QObject {
    Q_OBJECT
public:
    explicit ToneFeed(QObject* parent = nullptr);

    // Where the samples go; null while the output changes. A tone under way goes on on the new
    // output from what the old one had not yet sounded.
    void setOutput(QAudioSink* sink);
    // Cuts off the tone playing, if any, and plays this one from its start.
    void play(const QByteArray& samples);
    void stop() { play({}); }

signals:
    // The output takes no more of a tone (a write failed, or nothing was taken for a while): the
    // tone is dropped, and the output should be replaced.
    void stalled();

private:
    void feed();
    void rest();
    void giveUp();

    QAudioSink* m_sink = nullptr;
    QIODevice* m_device = nullptr;
    QByteArray m_samples;
    qsizetype m_written = 0;
    // Since the output last took samples of the tone, or the tone began.
    QElapsedTimer m_sinceTaken;
    QTimer m_timer;
    QTimer m_resting;
};

} // namespace corvalen
