// What the user hears, through a sound server (run it under scripts/with-sound-server.sh), for
// the program's player and, as the baseline, the QMediaPlayer it had before, in one run:
//   (a) 20 built-in tones in a row, 2 s apart, each player fresh: how many were heard whole
//       (at least 95% of the tone's own length), how long the first after start took to sound,
//       and the latency from the request to the first samples on the sink (median and worst);
//   (c) a built-in tone asked for after 10 s of quiet, when the program's output rests, beside
//       one asked for at once after it, while the output still runs: the latency to sound;
//   (d) the longest tone, with the window thread held up for 300 ms 50 ms after the request, as
//       a heavy page holds it up while it loads: the longest silence inside each tone, and the
//       seconds heard against the tone's own;
//   (b) a watch on the real engine against the demo's simulation: from the list being served to
//       the tone's request, and to the tone's first samples on the sink (median and worst).
#include "app/corvalen.h"
#include "eventually.h"
#include "fakes.h"
#include "person_click.h"
#include "platform/tone_player.h"
#include "platform/webengine_components.h"
#include "qmediaplayer_baseline.h"
#include "shop_simulation.h"
#include "sound_server.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstdio>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

enum class Player { Program, Baseline };
const char* name(Player player)
{
    return player == Player::Program ? "the program's player" : "QMediaPlayer (baseline)";
}

std::unique_ptr<MediaPlayer> makePlayer(Player player)
{
    if (player == Player::Program)
        return std::make_unique<TonePlayer>();
    return std::make_unique<QtMediaPlayer>();
}

qint64 nowNs()
{
    return std::chrono::steady_clock::now().time_since_epoch().count();
}

double ownSeconds(int tone)
{
    const QList<Sound> own
        = soundsIn(decodeReference(QStringLiteral(":/site/tones/%1.mp3").arg(tone)));
    return own.isEmpty() ? 0 : own.first().seconds;
}

struct Latencies {
    QList<double> ms;
    double median() const
    {
        QList<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        return sorted.isEmpty() ? -1 : sorted[sorted.size() / 2];
    }
    double worst() const { return ms.isEmpty() ? -1 : *std::max_element(ms.begin(), ms.end()); }
};

// The sound that began after the request, if one did.
const Sound* soundAfter(const QList<Sound>& sounds, qint64 requestNs)
{
    for (const Sound& sound : sounds)
        if (sound.startedAtNs >= requestNs)
            return &sound;
    return nullptr;
}

// The speakers recorded from now on, and a new player of this kind.
struct Listening {
    explicit Listening(Player which)
        : speakers(QStringLiteral("speakers"))
    {
        speakers.waitUntilRecording();
        player = makePlayer(which);
    }
    SinkRecorder speakers;
    std::unique_ptr<MediaPlayer> player;
};

void tonesInARow(Player which)
{
    constexpr int kTones = 20;
    Listening listening(which);
    SinkRecorder& speakers = listening.speakers;
    MediaPlayer* player = listening.player.get();
    int whole = 0;
    double first = -1;
    Latencies latency;
    for (int i = 0; i < kTones; ++i) {
        const int tone = i % 7 + 1;
        const qint64 asked = nowNs();
        player->setURL(QStringLiteral("qrc:/site/tones/%1.mp3").arg(tone));
        runEvents(2000);
        const Sound* heard = soundAfter(speakers.sounds(), asked);
        if (!heard)
            continue;
        const double ms = double(heard->startedAtNs - asked) / 1e6;
        latency.ms << ms;
        if (i == 0)
            first = ms;
        whole += heard->seconds >= 0.95 * ownSeconds(tone) ? 1 : 0;
    }
    std::printf("| %-26s | %2d of %d | %14s | %8.1f ms | %8.1f ms |\n", name(which), whole, kTones,
        first < 0 ? "not heard" : qPrintable(QStringLiteral("%1 ms").arg(first, 0, 'f', 1)),
        latency.median(), latency.worst());
    std::fflush(stdout);
}

void afterQuiet(Player which)
{
    constexpr int kRounds = 5;
    Listening listening(which);
    SinkRecorder& speakers = listening.speakers;
    MediaPlayer* player = listening.player.get();
    Latencies quiet;
    Latencies atOnce;
    for (int i = 0; i < kRounds; ++i) {
        runEvents(10000);
        // Tone 1 lasts 0.35 s: the second is asked for just after it has sounded.
        for (Latencies* latency : { &quiet, &atOnce }) {
            const qint64 asked = nowNs();
            player->setURL(QStringLiteral("qrc:/site/tones/1.mp3"));
            runEvents(450);
            if (const Sound* heard = soundAfter(speakers.sounds(0.05), asked))
                latency->ms << double(heard->startedAtNs - asked) / 1e6;
        }
    }
    std::printf("| %-26s | %d of %d | %8.1f ms | %8.1f ms | %d of %d | %8.1f ms | %8.1f ms |\n",
        name(which), int(quiet.ms.size()), kRounds, quiet.median(), quiet.worst(),
        int(atOnce.ms.size()), kRounds, atOnce.median(), atOnce.worst());
    std::fflush(stdout);
}

void heldUp(Player which)
{
    constexpr int kTones = 10;
    constexpr int kTone = 7;
    Listening listening(which);
    SinkRecorder& speakers = listening.speakers;
    MediaPlayer* player = listening.player.get();
    Latencies silence;
    Latencies seconds;
    int whole = 0;
    for (int i = 0; i < kTones; ++i) {
        const qint64 asked = nowNs();
        player->setURL(QStringLiteral("qrc:/site/tones/%1.mp3").arg(kTone));
        runEvents(50);
        QThread::msleep(300);
        runEvents(2000);
        const Sound* heard = soundAfter(speakers.sounds(), asked);
        if (!heard)
            continue;
        silence.ms << heard->longestSilence * 1000;
        seconds.ms << heard->seconds;
        whole += heard->longestSilence < 0.010 && heard->seconds >= 0.95 * ownSeconds(kTone);
    }
    std::printf("| %-26s | %2d of %d | %8.1f ms | %8.1f ms | %5.2f s | %5.2f s | %5.2f s |\n",
        name(which), whole, kTones, silence.median(), silence.worst(), seconds.median(),
        seconds.worst(), ownSeconds(kTone));
    std::fflush(stdout);
}

// The engine's panes, and the player under measure with the time of each request noted.
class TimedComponents : public ComponentFactory {
public:
    TimedComponents(DesktopShell& shell, const BrowserStoreLock& lock, Player which)
        : m_engine(shell, lock)
        , m_which(which)
    {
    }
    std::unique_ptr<BrowserPane> createPane(QWidget* parent, const QString& name) override
    {
        return m_engine.createPane(parent, name);
    }
    std::unique_ptr<MediaPlayer> createPlayer(QWidget*) override
    {
        return std::make_unique<Timed>(makePlayer(m_which), requests);
    }
    QList<qint64> requests;

private:
    struct Timed : MediaPlayer {
        Timed(std::unique_ptr<MediaPlayer> made, QList<qint64>& log)
            : player(std::move(made))
            , requests(log)
        {
        }
        void setURL(const QString& url) override
        {
            requests << nowNs();
            player->setURL(url);
        }
        QString URL() const override { return player->URL(); }
        std::unique_ptr<MediaPlayer> player;
        QList<qint64>& requests;
    };
    WebEngineComponents m_engine;
    Player m_which;
};

bool failed(const char* why)
{
    std::fprintf(stderr, "%s\n", why);
    return false;
}

bool alertOnTheEngine(Player which)
{
    constexpr int kRefreshes = 30;
    demo::ShopSimulation simulation;
    if (!simulation.start())
        return failed("the simulation found no port");
    QList<qint64> served;
    QObject::connect(&simulation, &demo::ShopSimulation::listServed, [&] { served << nowNs(); });
    FakeShell shell;
    ScriptedDialogs dialogs;
    const QTemporaryDir store;
    const BrowserStoreLock lock(store.path());
    TimedComponents components(shell, lock, which);
    Corvalen program({ components, shell, dialogs }, simulation.sites());
    program.start();
    if (!waitUntil([&] { return program.splash() == nullptr; }, 60000))
        return failed("the main window did not come");
    Form1& f = *program.mainWindow();
    clickAsAPerson(f.Command1(0));
    if (!waitUntil([&] { return !f.Text2.Text().isEmpty(); }, 30000))
        return failed("the list was not read");
    SinkRecorder speakers(QStringLiteral("speakers"));
    speakers.waitUntilRecording();
    clickAsAPerson(f.Check1);
    clickAsAPerson(f.Option1(0)); // "1~5件": two lists of every six
    clickAsAPerson(f.Check2);
    clickAsAPerson(f.Option2(0));
    clickAsAPerson(f.Command6);
    Latencies toRequest;
    Latencies toSound;
    for (int n = 0; n < kRefreshes; ++n) {
        const qsizetype requestsBefore = components.requests.size();
        const qsizetype servedBefore = served.size();
        for (int second = 0; second < 10; ++second)
            f.Timer1.tick();
        if (!waitUntil([&] { return served.size() > servedBefore; }, 20000))
            return failed("a refresh did not reach the list");
        if (!waitUntil([&] { return components.requests.size() > requestsBefore; }, 3000))
            continue; // this list did not match
        runEvents(1300);
        const qint64 listAt = served.last();
        toRequest.ms << double(components.requests.last() - listAt) / 1e6;
        if (const Sound* heard = soundAfter(speakers.sounds(), components.requests.last()))
            toSound.ms << double(heard->startedAtNs - listAt) / 1e6;
    }
    std::printf("| %-26s | %5lld | %8.1f ms | %8.1f ms | %5lld | %8.1f ms | %8.1f ms |\n",
        name(which), static_cast<long long>(toRequest.ms.size()), toRequest.median(),
        toRequest.worst(), static_cast<long long>(toSound.ms.size()), toSound.median(),
        toSound.worst());
    std::fflush(stdout);
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!sound_server::isRunning()) {
        std::fprintf(stderr, "no sound server: run under scripts/with-sound-server.sh\n");
        return 1;
    }
    std::printf("20 built-in tones in a row, 2 s apart, through the sound server:\n\n");
    std::printf("| player                     | heard whole | first after start | median     | "
                "worst      |\n");
    std::printf("|---|---|---|---|---|\n");
    for (Player player : { Player::Program, Player::Baseline })
        tonesInARow(player);
    std::printf("\nA built-in tone after 10 s of quiet, and one at once after it, 5 of each: the "
                "latency to sound:\n\n");
    std::printf("| player                     | heard | after quiet (median) | worst | heard | at "
                "once (median) | worst |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    for (Player player : { Player::Program, Player::Baseline })
        afterQuiet(player);
    std::printf(
        "\nTone 7, 10 times, the window thread held up for 300 ms 50 ms after each request: "
        "whole (no silence of 10 ms inside), the longest silence inside, the seconds "
        "heard:\n\n");
    std::printf("| player                     | whole | silence (median) | worst | heard (median) "
                "| longest | own |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    for (Player player : { Player::Program, Player::Baseline })
        heldUp(player);
    if (app.arguments().contains(QStringLiteral("--without-engine")))
        return 0;
    std::printf(
        "\nA watch on the real engine, 30 refreshes: from the list served to the tone's request "
        "and to its first samples on the sink:\n\n");
    std::printf(
        "| player                     | tones | to request (median) | worst | heard | to sound "
        "(median) | worst |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    for (Player player : { Player::Program, Player::Baseline })
        if (!alertOnTheEngine(player))
            return 1;
    return 0;
}
