#pragma once

#include "default_output.h"
#include "forms/media_player.h"
#include "tone_feed.h"
#include "tone_fetch.h"

#include <QAudioDevice>
#include <QFutureWatcher>
#include <QObject>

class QAudioSink;
class QTimer;

namespace corvalen {

// The tone player: fetches the file, decodes it off the window thread and plays it at half
// volume on the output that is the system's default when the tone is asked for. The output
// stream is opened at start and kept, resting between tones, so that no tone is the first on a
// new stream, and it is opened anew when the outputs change. With no output there is silence; a
// file that does not play, or comes too late, shows nothing either.
class TonePlayer : public QObject, public MediaPlayer {
    Q_OBJECT
public:
    explicit TonePlayer(QObject* parent = nullptr);
    ~TonePlayer() override;

    void setURL(const QString& url) override;
    QString URL() const override { return m_url; }

    // The output the tones go to now; null when there is none.
    QAudioDevice output() const { return m_device; }

private:
    void play(const QByteArray& samples);
    void followDefaultOutput();
    void openOutput(const QAudioDevice& device);
    void closeOutput();

    QString m_url;
    quint64 m_request = 0;
    quint64 m_decodingRequest = 0;
    ToneFetch m_fetch;
    QFutureWatcher<QByteArray> m_decoding;
    ToneFeed m_feed;
    DefaultOutput m_default;
    QAudioDevice m_device;
    QAudioSink* m_sink = nullptr;
    QTimer* m_retry;
};

} // namespace corvalen
