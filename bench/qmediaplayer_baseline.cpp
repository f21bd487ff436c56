#include "qmediaplayer_baseline.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>

namespace corvalen {

QtMediaPlayer::QtMediaPlayer(QObject* parent)
    : QObject(parent)
    , m_player(new QMediaPlayer(this))
    , m_output(new QAudioOutput(this))
{
    m_output->setVolume(0.5f);
    m_output->setMuted(false);
    m_player->setAudioOutput(m_output);
    m_player->setLoops(1);
    m_player->setPlaybackRate(1.0);
}

void QtMediaPlayer::setURL(const QString& url)
{
    m_url = url;
    // The player ignores a source equal to the current one, and keeps a failed one failed: clear
    // it first, so the same tone asked for twice plays twice.
    m_player->stop();
    m_player->setSource(QUrl());
    m_player->setSource(QUrl(url));
    m_player->play();
}

} // namespace corvalen
