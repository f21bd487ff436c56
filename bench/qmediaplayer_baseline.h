#pragma once

#include "forms/media_player.h"

#include <QObject>

class QAudioOutput;
class QMediaPlayer;

namespace corvalen {

// The player as it was before tones were decoded and streamed by the program itself: QMediaPlayer
// with a QAudioOutput at half volume. The alert benchmark measures it beside the program's player.
class QtMediaPlayer : public QObject, public MediaPlayer {
    Q_OBJECT
public:
    explicit QtMediaPlayer(QObject* parent = nullptr);

    void setURL(const QString& url) override;
    QString URL() const override { return m_url; }

    QMediaPlayer* player() const { return m_player; }

private:
    QMediaPlayer* m_player;
    QAudioOutput* m_output;
    QString m_url;
};

} // namespace corvalen
