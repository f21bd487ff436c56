// The tone player heard through the private sound server: what comes out of each output's
// monitor, judged against the tone file itself, never the player's own account of it.
#include "eventually.h"
#include "loopback_server.h"
#include "platform/tone_player.h"
#include "row_name.h"
#include "sound_server.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>
#include <map>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

const QString kSpeakers = QStringLiteral("speakers");
const QString kHeadphones = QStringLiteral("headphones");
// What the outputs need to take a change in: the server tells the program, which reopens.
constexpr int kOutputChangeMs = 500;
constexpr int kToneGapMs = 1300;

QString builtIn(int tone)
{
    return QStringLiteral("qrc:/site/tones/%1.mp3").arg(tone);
}

// A host that answers every request with the same bytes, or never answers at all.
class RawHost {
public:
    explicit RawHost(const QByteArray& answer, bool answers = true)
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, [this, answer, answers] {
            QTcpSocket* socket = m_server.nextPendingConnection();
            if (answers)
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, answer] {
                    socket->write(answer);
                    socket->disconnectFromHost();
                });
        });
    }
    QString url() const
    {
        return QStringLiteral("http://127.0.0.1:%1/7.mp3").arg(m_server.serverPort());
    }

private:
    QTcpServer m_server;
};

QByteArray toneFile(int tone)
{
    QFile file(QStringLiteral(":/site/tones/%1.mp3").arg(tone));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The sound server set as a row needs it, the outputs recorded, and a player made on demand: the
// first tone a row asks for is the first after the player's start.
class PlayerRig {
public:
    explicit PlayerRig(const QStringList& outputs)
    {
        for (const QString& sink : { kSpeakers, kHeadphones })
            sound_server::removeSink(sink);
        for (const QString& sink : outputs)
            plugIn(sink);
        if (!outputs.isEmpty())
            sound_server::setDefaultSink(outputs.first());
        runEvents(kOutputChangeMs);
    }
    ~PlayerRig()
    {
        m_player.reset();
        if (!m_recorders.count(kSpeakers))
            plugIn(kSpeakers);
        sound_server::setDefaultSink(kSpeakers);
        sound_server::removeSink(kHeadphones);
    }

    void ask(const QString& url)
    {
        if (!m_player)
            m_player = std::make_unique<TonePlayer>();
        m_player->setURL(url);
    }
    void plugIn(const QString& sink, bool makeDefault = false)
    {
        sound_server::addSink(sink);
        if (makeDefault)
            sound_server::setDefaultSink(sink);
        auto& recorder = m_recorders[sink] = std::make_unique<SinkRecorder>(sink);
        EXPECT_TRUE(recorder->waitUntilRecording()) << qPrintable(sink);
        if (makeDefault)
            runEvents(kOutputChangeMs);
    }
    void unplug(const QString& sink)
    {
        sound_server::removeSink(sink);
        runEvents(kOutputChangeMs);
    }
    QList<Sound> heardOn(const QString& sink) const
    {
        const auto recorder = m_recorders.find(sink);
        return recorder == m_recorders.end() ? QList<Sound>() : recorder->second->sounds();
    }

    LoopbackServer host;

private:
    std::map<QString, std::unique_ptr<SinkRecorder>> m_recorders;
    std::unique_ptr<TonePlayer> m_player;
};

struct PlayerRow {
    const char* name;
    QStringList outputs; // at the start, the first the default
    std::function<void(PlayerRig&)> play;
    // The tones heard whole on each output, in order; nothing else may be heard there.
    std::map<QString, QList<int>> heard;
};

void PrintTo(const PlayerRow& row, std::ostream* out)
{
    *out << row.name;
}

class PlayerTest : public ::testing::TestWithParam<PlayerRow> { };

TEST_P(PlayerTest, EveryToneAskedForIsHeardWholeAtHalfLevelOnTheDefaultOutput)
{
    ASSERT_TRUE(sound_server::isRunning()) << "run under scripts/with-sound-server.sh";
    const PlayerRow& row = GetParam();
    PlayerRig rig(row.outputs);
    row.play(rig);
    runEvents(kToneGapMs + 300);

    for (const auto& [sink, tones] : row.heard) {
        const QList<Sound> sounds = rig.heardOn(sink);
        QString said;
        for (const Sound& sound : sounds)
            said += QStringLiteral(" %1 s at %2")
                        .arg(sound.seconds)
                        .arg(double(sound.firstSample) / 44100);
        ASSERT_EQ(sounds.size(), tones.size()) << qPrintable(sink + said);
        for (int i = 0; i < tones.size(); ++i) {
            const QList<Sound> own
                = soundsIn(decodeReference(QStringLiteral(":/site/tones/%1.mp3").arg(tones[i])));
            ASSERT_EQ(own.size(), 1);
            SCOPED_TRACE(QStringLiteral("%1, sound %2 (tone %3)")
                             .arg(sink)
                             .arg(i)
                             .arg(tones[i])
                             .toStdString());
            EXPECT_GE(sounds[i].seconds, 0.95 * own[0].seconds);
            // A tone cut off by the next one sounds at most as a click before it.
            EXPECT_LE(sounds[i].seconds, own[0].seconds + 0.15);
            EXPECT_NEAR(sounds[i].rms / own[0].rms, 0.5, 0.05);
        }
    }
}

const PlayerRow kRows[] = {
    { "the first tone after start", { kSpeakers }, [](PlayerRig& r) { r.ask(builtIn(7)); },
        { { kSpeakers, { 7 } } } },
    { "ten tones in a row, from the tone host", { kSpeakers },
        [](PlayerRig& r) {
            for (int tone = 1; tone <= 7; ++tone)
                r.host.setPage(QStringLiteral("/%1.mp3").arg(tone), toneFile(tone), "audio/mpeg");
            for (int i = 0; i < 10; ++i) {
                r.ask(r.host.url(QStringLiteral("/%1.mp3").arg(i % 7 + 1)));
                runEvents(kToneGapMs);
            }
        },
        { { kSpeakers, { 1, 2, 3, 4, 5, 6, 7, 1, 2, 3 } } } },
    { "two requests 50 ms apart", { kSpeakers },
        [](PlayerRig& r) {
            r.ask(builtIn(7));
            runEvents(50);
            r.ask(builtIn(1));
        },
        { { kSpeakers, { 1 } } } },
    { "headphones plugged in and made the default", { kSpeakers },
        [](PlayerRig& r) {
            r.ask(builtIn(1));
            runEvents(kToneGapMs);
            r.plugIn(kHeadphones, true);
            r.ask(builtIn(2));
        },
        { { kSpeakers, { 1 } }, { kHeadphones, { 2 } } } },
    { "the output in use removed", { kHeadphones, kSpeakers },
        [](PlayerRig& r) {
            r.ask(builtIn(1));
            runEvents(kToneGapMs);
            r.unplug(kHeadphones);
            r.ask(builtIn(2));
        },
        { { kHeadphones, { 1 } }, { kSpeakers, { 2 } } } },
    { "no output, then one comes", {},
        [](PlayerRig& r) {
            r.ask(builtIn(1));
            runEvents(kToneGapMs);
            r.plugIn(kSpeakers, true);
            r.ask(builtIn(2));
        },
        { { kSpeakers, { 2 } } } },
    { "files that do not play, each followed by a good tone", { kSpeakers },
        [](PlayerRig& r) {
            const QByteArray tone = toneFile(7);
            r.host.setPage(
                QStringLiteral("/error.mp3"), "<html><body>502 Bad Gateway</body></html>");
            r.host.setPage(QStringLiteral("/half.mp3"), tone.left(tone.size() / 2), "audio/mpeg");
            r.host.setPage(QStringLiteral("/missing.mp3"), "not found", "text/plain",
                QHttpServerResponse::StatusCode::NotFound);
            QByteArray noise(50 * 1024 * 1024, Qt::Uninitialized);
            QRandomGenerator(7).fillRange(
                reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
            r.host.setPage(QStringLiteral("/noise.mp3"), noise, "audio/mpeg");
            // A transfer cut short: the answer says more bytes than it brings.
            RawHost cut("HTTP/1.1 200 OK\r\nContent-Type: audio/mpeg\r\nContent-Length: "
                + QByteArray::number(tone.size()) + "\r\n\r\n" + tone.left(tone.size() / 2));
            RawHost silent({}, false);
            const QString bad[] = { r.host.url(QStringLiteral("/error.mp3")),
                r.host.url(QStringLiteral("/half.mp3")), r.host.url(QStringLiteral("/missing.mp3")),
                r.host.url(QStringLiteral("/noise.mp3")), cut.url(), silent.url(),
                QStringLiteral("http://127.0.0.1:%1/7.mp3").arg(LoopbackServer::closedPort()) };
            for (const QString& url : bad) {
                r.ask(url);
                runEvents(kToneGapMs);
                r.ask(builtIn(1));
                runEvents(kToneGapMs);
            }
        },
        { { kSpeakers, { 1, 1, 1, 1, 1, 1, 1 } } } },
};

INSTANTIATE_TEST_SUITE_P(Outputs, PlayerTest, ::testing::ValuesIn(kRows),
    [](const auto& row) { return rowName(row.param.name); });

} // namespace
