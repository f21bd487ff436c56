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

    player.setURL(server.url(QStringLiteral("/tones/1.mp3")));
    QTRY_COMPARE_WITH_TIMEOUT(server.hits(QStringLiteral("/tones/1.mp3")), 1, kFetchTimeoutMs);
    player.setURL(server.url(QStringLiteral("/tones/2.mp3")));
    QTRY_COMPARE_WITH_TIMEOUT(server.hits(QStringLiteral("/tones/2.mp3")), 1, kFetchTimeoutMs);
    EXPECT_EQ(player.URL(), server.url(QStringLiteral("/tones/2.mp3")));
    player.setURL(server.url(QStringLiteral("/tones/2.mp3")));
    QTRY_COMPARE_WITH_TIMEOUT(server.hits(QStringLiteral("/tones/2.mp3")), 2, kFetchTimeoutMs);
}

TEST(QtMediaPlayerTest, UnreachableToneIsSilentlyNotHeard)
{
    QtMediaPlayer player;
    player.setURL(
        QStringLiteral("http://127.0.0.1:%1/tones/3.mp3").arg(LoopbackServer::closedPort()));
    QTest::qWait(500);
    EXPECT_EQ(player.URL().right(5), QStringLiteral("3.mp3"));
}

} // namespace
