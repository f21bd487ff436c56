#pragma once

#include "forms/media_player.h"
#include "tone_fetch.h"

#include <QObject>
#include <QThread>

namespace corvalen {

class ToneOutput;

// The tone player: fetches the file, and has it decoded and played at half volume on the output
// that is the system's default when the tone is asked for, by a `ToneOutput` on a thread of its
// own, so that a tone sounds whole while heavy pages hold the window thread up. The output stream
// is opened at start and kept, resting between tones, so that no tone is the first on a new
// stream, and it is opened anew when the outputs change. With no output there is silence; a file
// that does not play, or comes too late, shows nothing either.
class TonePlayer : public QObject, public MediaPlayer {
    Q_OBJECT
public:
    explicit TonePlayer(QObject* parent = nullptr);
    ~TonePlayer() override;

    void setURL(const QString& url) override;
    QString URL() const override { return m_url; }

private:
    QString m_url;
    quint64 m_request = 0;
    ToneFetch m_fetch;
    QThread* m_thread;
    ToneOutput* m_output;
};

} // namespace corvalen
