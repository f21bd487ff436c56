// The tone player heard through the private sound server: what comes out of each output's
// monitor, judged against the tone file itself, never the player's own account of it.
#include "eventually.h"
#include "hostile_server.h"
#include "loopback_server.h"
#include "platform/tone_player.h"
#include "row_name.h"
#include "sound_server.h"

#include <QFile>
#include <QRandomGenerator>
#include <QThread>
#include <gtest/gtest.h>
#include <map>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

const QString kSpeakers = QStringLiteral("speakers");
const QString kHeadphones = QStringLiteral("headphones");
// What the outputs need to take a change in: the server tells the program, which reopens.
constexpr int kOutputChangeMs = 500;
// The longest tone, 1.55 s, and the silence that tells two tones apart, 0.3 s.
constexpr int kToneGapMs = 2000;

QString builtIn(int tone)
{
    return QStringLiteral("qrc:/site/tones/%1.mp3").arg(tone);
}

QByteArray toneFile(int tone)
{
    QFile file(QStringLiteral(":/site/tones/%1.mp3").arg(tone));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

HostileReply served(QByteArray body, HostileReply::Kind kind = HostileReply::Kind::Whole,
    int delayMs = 0, int status = 200)
{
    return { kind, status, "audio/mpeg", std::move(body), delayMs, {} };
}

// A file that does not play, as the tone host serves it (none: a closed port), and how long the
// row waits before it asks for a good tone.
struct BadFile {
    const char* name;
    HostileReply (*reply)();
    int waitMs = 1000;
};

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
    HostileServer hostile;

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
            EXPECT_LT(sounds[i].longestSilence, 0.010);
        }
    }
}

const PlayerRow kRows[] = {
    { "the first tone after start, and then the output rests", { kSpeakers },
        [](PlayerRig& r) {
            r.ask(builtIn(7));
            runEvents(1600 + 2000); // 2 s after the tone's last sample
            EXPECT_EQ(sound_server::sinkState(kSpeakers), QStringLiteral("IDLE"));
        },
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
    // As a heavy page holds it up while it loads.
    { "the window thread held up for 300 ms in the midst of a tone", { kSpeakers },
        [](PlayerRig& r) {
            r.ask(builtIn(7));
            runEvents(50);
            QThread::msleep(300);
        },
        { { kSpeakers, { 7 } } } },
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
    // The tone goes on where it was: the speakers' part and the headphones' make it whole.
    { "the default moved to the headphones in the midst of a long tone", { kSpeakers, kHeadphones },
        [](PlayerRig& r) {
            r.ask(builtIn(7));
            runEvents(400);
            sound_server::setDefaultSink(kHeadphones);
            runEvents(kToneGapMs);
            const QList<Sound> before = r.heardOn(kSpeakers), after = r.heardOn(kHeadphones);
            ASSERT_EQ(before.size(), 1);
            ASSERT_EQ(after.size(), 1) << "nothing of the tone on the new default";
            const double own
                = soundsIn(decodeReference(QStringLiteral(":/site/tones/7.mp3")))[0].seconds;
            EXPECT_NEAR(before[0].seconds + after[0].seconds, own, 0.06);
            // Qt 6.11's PulseAudio stream may fall silent once for up to two feeds as it starts.
            EXPECT_LT(after[0].longestSilence, 0.030);
        },
        {} },
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
};

const BadFile kBadFiles[] = {
    { "an HTML page", [] { return served("<html><body>502 Bad Gateway</body></html>"); } },
    { "a truncated mp3", [] { return served(toneFile(7).left(toneFile(7).size() / 2)); } },
    { "a 404", [] { return served("not found", HostileReply::Kind::Whole, 0, 404); } },
    { "50 MB of noise",
        [] {
            QByteArray noise(50 * 1024 * 1024, Qt::Uninitialized);
            QRandomGenerator(7).fillRange(
                reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
            return served(noise);
        } },
    // The answer says more bytes than it brings.
    { "a transfer cut short",
        [] {
            return served(toneFile(7).left(toneFile(7).size() / 2), HostileReply::Kind::CutOff);
        } },
    { "a host that never answers",
        [] { return served(toneFile(7), HostileReply::Kind::Whole, 60000); } },
    { "a closed port", nullptr },
    { "a tone trickled in over 7 s, too late to be news",
        [] { return served(toneFile(7), HostileReply::Kind::Trickle, 7000); }, 8000 },
};

// The rows above, and one for each file that does not play: the good tone asked for after it is
// all that is heard.
std::vector<PlayerRow> rows()
{
    std::vector<PlayerRow> rows(std::begin(kRows), std::end(kRows));
    for (const BadFile& file : kBadFiles)
        rows.push_back({ file.name, { kSpeakers },
            [file](PlayerRig& r) {
                if (file.reply)
                    r.hostile.setReply(QStringLiteral("/7.mp3"), file.reply());
                r.ask(file.reply ? r.hostile.base() + QStringLiteral("/7.mp3")
                                 : QStringLiteral("http://127.0.0.1:%1/7.mp3")
                                       .arg(LoopbackServer::closedPort()));
                runEvents(file.waitMs);
                r.ask(builtIn(2));
            },
            { { kSpeakers, { 2 } } } });
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Outputs, PlayerTest, ::testing::ValuesIn(rows()),
    [](const auto& row) { return rowName(row.param.name); });

} // namespace
