#include "eventually.h"
#include "loopback_server.h"
#include "platform/qt_media_player.h"

#include <QMediaPlayer>
#include <QTest>
#include <gtest/gtest.h>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

constexpr int kFetchTimeoutMs = 15000;

TEST(QtMediaPlayerTest, FetchesEachToneAndTheSameToneTwice)
{
    LoopbackServer server;
    for (const char* tone : { "1", "2" })
        server.setFile(QStringLiteral("/tones/%1.mp3").arg(QLatin1String(tone)),
            QStringLiteral(":/site/tones/%1.mp3").arg(QLatin1String(tone)), "audio/mpeg");
    QtMediaPlayer player;

    // The player may ask for a file more than once (ranges); what counts is that it asks anew.
    player.setURL(server.url(QStringLiteral("/tones/1.mp3")));
    EXPECT_EVENTUALLY(server.hits(QStringLiteral("/tones/1.mp3")) >= 1, kFetchTimeoutMs);
    player.setURL(server.url(QStringLiteral("/tones/2.mp3")));
    EXPECT_EVENTUALLY(server.hits(QStringLiteral("/tones/2.mp3")) >= 1, kFetchTimeoutMs);
    EXPECT_EQ(player.URL(), server.url(QStringLiteral("/tones/2.mp3")));
    EXPECT_EVENTUALLY(player.player()->mediaStatus() == QMediaPlayer::EndOfMedia, kFetchTimeoutMs);
    const int fetched = server.hits(QStringLiteral("/tones/2.mp3"));
    player.setURL(server.url(QStringLiteral("/tones/2.mp3")));
    EXPECT_EVENTUALLY(server.hits(QStringLiteral("/tones/2.mp3")) > fetched, kFetchTimeoutMs);
    EXPECT_EVENTUALLY(player.player()->mediaStatus() == QMediaPlayer::EndOfMedia, kFetchTimeoutMs);
}

TEST(QtMediaPlayerTest, PlaysTheBuiltInTonesToTheirEnd)
{
    QtMediaPlayer player;
    player.setURL(QStringLiteral("qrc:/site/tones/7.mp3"));
    EXPECT_EVENTUALLY(player.player()->mediaStatus() == QMediaPlayer::EndOfMedia, kFetchTimeoutMs);
    EXPECT_EQ(player.player()->error(), QMediaPlayer::NoError);
}

TEST(QtMediaPlayerTest, UnreachableToneLeavesTheNextToneToPlay)
{
    QtMediaPlayer player;
    player.setURL(
        QStringLiteral("http://127.0.0.1:%1/tones/3.mp3").arg(LoopbackServer::closedPort()));
    EXPECT_EVENTUALLY(player.player()->error() != QMediaPlayer::NoError, kFetchTimeoutMs);

    player.setURL(QStringLiteral("qrc:/site/tones/7.mp3"));
    EXPECT_EVENTUALLY(player.player()->mediaStatus() == QMediaPlayer::EndOfMedia, kFetchTimeoutMs);
    EXPECT_EQ(player.player()->error(), QMediaPlayer::NoError);
}

} // namespace
