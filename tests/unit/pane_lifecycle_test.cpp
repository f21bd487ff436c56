#include "platform_rules/navigation_policy.h"
#include "platform_rules/pane_lifecycle.h"
#include "platform_rules/trim_pacer.h"
#include "row_name.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace corvalen;

namespace {

// The engine as the lifecycle sees it: what was asked of it is written down, timers fire only
// when armed, and the clock moves when a row says so.
class RecordingEngine : public PaneEngine {
public:
    QStringList log;
    std::set<PaneTimer> armed;
    quint64 lastRead = 0;
    bool mayDiscard = true;
    QUrl shown;
    QUrl ownPage;
    qint64 now = 0;

    static QString name(const QUrl& url) { return url.isLocalFile() ? QString() : url.path(); }
    void note(const char* what, const QUrl& url = {})
    {
        log << (QString::fromLatin1(what) + name(url)).trimmed();
    }
    void load(const QUrl& url) override
    {
        const bool own = url.scheme() == QLatin1String("data");
        ownPage = own ? url : ownPage;
        own ? note("load own") : note("load ", url);
    }
    void reload() override { note("reload"); }
    void readDocument(quint64 load, bool) override { lastRead = load, note("read"); }
    void freeze() override { note("freeze"); }
    void discard() override { note("discard"); }
    bool recommendsDiscarding() const override { return mayDiscard; }
    QUrl shownUrl() const override { return shown; }
    qint64 elapsedMs() const override { return now; }
    void armTimer(PaneTimer timer, int) override { armed.insert(timer); }
    void disarmTimer(PaneTimer timer) override { armed.erase(timer); }
    void downloadBegin() override { note("begin"); }
    void downloadComplete() override { note("complete"); }
    void documentComplete(const QString& url) override { note("doc ", QUrl(url)); }
};

// Plays one row's events, "event [argument]" separated by ";". Addresses are pages of the shop
// ("/a"), a shop app's link ("app"), the error page the pane loaded last ("own") and someone
// else's inline page ("foreign").
QStringList play(const char* script)
{
    RecordingEngine engine;
    PaneLifecycle pane(engine, true);
    const auto fire = [&](PaneTimer timer) {
        if (engine.armed.erase(timer))
            pane.timerFired(timer);
    };
    const auto url = [&](const QString& word) {
        if (word == QLatin1String("own"))
            return engine.ownPage;
        return QUrl(word == QLatin1String("app")   ? QStringLiteral("taobao://item/1")
                : word == QLatin1String("foreign") ? QStringLiteral("data:text/html,x")
                                                   : QStringLiteral("http://shop") + word);
    };
    const auto read = [&](const QString& title, bool parsed) {
        pane.documentRead(engine.lastRead, DocumentRead { { title, QStringLiteral("b") }, parsed });
    };
    const std::map<std::string, std::function<void(const QString&)>> events {
        { "navigate", [&](const QString& a) { pane.navigate(url(a)); } },
        { "refresh", [&](const QString&) { pane.refresh(); } },
        { "accept",
            [&](const QString& a) {
                engine.note(pane.acceptsNavigation(url(a), true) ? "accepted" : "refused");
            } },
        { "started",
            [&](const QString& a) {
                engine.shown = a.startsWith(QLatin1Char('/')) ? url(a) : engine.shown,
                pane.loadStarted(url(a));
            } },
        { "succeeded", [&](const QString& a) { pane.loadSucceeded(url(a)); } },
        { "stopped", [&](const QString& a) { pane.loadStopped(url(a)); } },
        { "failed", [&](const QString& a) { pane.loadFailed(url(a), false); } },
        { "read", [&](const QString& a) { read(a.isEmpty() ? QStringLiteral("T") : a, true); } },
        { "unparsed", [&](const QString&) { read(QStringLiteral("T"), false); } },
        { "title", [&](const QString&) { pane.titleChanged(); } },
        { "title?",
            [&](const QString&) {
                engine.log << QStringLiteral("title ") + pane.document()->Title;
            } },
        { "crash", [&](const QString&) { pane.rendererCrashed(); } },
        { "recover", [&](const QString&) { fire(PaneTimer::Recovery); } },
        { "wait", [&](const QString& a) { engine.now += a.toLongLong(); } },
        { "hide", [&](const QString&) { pane.hidden(); } },
        { "show", [&](const QString&) { pane.shown(), pane.lifecycleChanged(true); } },
        { "runs", [&](const QString&) { pane.setRunsWhileHidden(true); } },
        { "idle", [&](const QString&) { fire(PaneTimer::Discard); } },
        { "keep", [&](const QString&) { engine.mayDiscard = false; } },
        { "recommend",
            [&](const QString&) { engine.note("recommended"), pane.discardRecommended(); } },
        { "again", [&](const QString&) { fire(PaneTimer::ReadAgain); } },
        { "late", [&](const QString&) { fire(PaneTimer::ComingBack); } },
    };
    for (const QString& step : QString::fromUtf8(script).split(QLatin1Char(';'))) {
        const QStringList words = step.trimmed().split(QLatin1Char(' '));
        const auto event = events.find(words[0].toStdString());
        if (event == events.end())
            ADD_FAILURE() << "unknown event " << words[0].toStdString();
        else
            event->second(words.value(1));
    }
    return engine.log;
}

struct Row {
    const char* name;
    const char* script;
    const char* expected;
};

class PaneLifecycleTest : public ::testing::TestWithParam<Row> { };

TEST_P(PaneLifecycleTest, FollowsTheEnginesEvents)
{
    const Row& row = GetParam();
    EXPECT_EQ(play(row.script).join(QStringLiteral(", ")).toStdString(), row.expected);
}

// "begin, complete, read" is one load of an allowed page up to its reading.
const Row kRows[] = {
    { "refused navigations change nothing",
        "navigate /a; started /a; succeeded /a; started app; stopped app; read; crash; recover",
        "load /a, begin, complete, read, doc /a, load /a" },
    { "a refusal that takes the load still reads the page shown",
        "navigate /a; started /a; stopped app; unparsed; again; read",
        "load /a, begin, complete, read, read, doc /a" },
    { "three crash reloads a minute, per pane",
        "navigate /a; crash; recover; started /b; succeeded /b; crash; recover; crash; recover;"
        " crash; recover",
        "load /a, load /a, begin, complete, read, load /b, load /b, load own" },
    { "the crash window empties after a minute",
        "navigate /a; crash; recover; crash; recover; crash; recover; wait 60000; crash; recover",
        "load /a, load /a, load /a, load /a, load /a" },
    { "a crash on our error page reloads nothing, a refresh starts afresh",
        "navigate /a; started /a; failed /a; accept own; started own; crash; recover; refresh",
        "load /a, begin, complete, load own, accepted, begin, load /a" },
    { "only the error page the pane asked for comes inline, once",
        "accept foreign; navigate /a; started /a; failed /a; accept foreign; accept own;"
        " accept own",
        "refused, load /a, begin, complete, load own, refused, accepted, refused" },
    { "any other load withdraws the error page",
        "navigate /a; started /a; failed /a; navigate /b; accept own",
        "load /a, begin, complete, load own, load /b, refused" },
    { "a hidden page is frozen, then given back",
        "navigate /a; started /a; succeeded /a; read; hide; idle",
        "load /a, begin, complete, read, doc /a, freeze, discard" },
    { "given back only when the engine recommends it",
        "navigate /a; started /a; succeeded /a; read; keep; hide; idle; recommend",
        "load /a, begin, complete, read, doc /a, freeze, recommended, discard" },
    { "a page used while hidden is kept",
        "runs; navigate /a; started /a; succeeded /a; read; hide; idle; recommend",
        "load /a, begin, complete, read, doc /a, recommended" },
    { "our error page is kept",
        "navigate /a; started /a; failed /a; accept own; started own; succeeded own; read; hide;"
        " idle",
        "load /a, begin, complete, load own, accepted, begin, complete, read, doc /a" },
    { "a load asked for keeps the page",
        "navigate /a; started /a; succeeded /a; read; hide; navigate /b; idle",
        "load /a, begin, complete, read, doc /a, load /b" },
    { "a crash mid-read ends the read",
        "navigate /a; started /a; succeeded /a; crash; recover; started /a; succeeded /a; read;"
        " hide; idle",
        "load /a, begin, complete, read, load /a, begin, complete, read, doc /a, freeze, discard" },
    { "a load asked for while the page comes back follows the engine's reload",
        "navigate /a; started /a; succeeded /a; read; hide; idle; show; navigate /b;"
        " navigate /c; started /a; succeeded /a; late",
        "load /a, begin, complete, read, doc /a, freeze, discard, begin, complete, load /c" },
    { "the title is the page's current one",
        "navigate /a; started /a; succeeded /a; read T1; title; read T2; title?",
        "load /a, begin, complete, read, doc /a, read, title T2" },
};

TEST(NavigationPolicyTest, OnlyWebPagesABlankPageAndTheBuiltInSiteMayBeShown)
{
    const struct {
        const char* address;
        bool allowed;
    } rows[] = {
        { "http://127.0.0.1:8080/home/full_exchange_home.htm?coin=0", true },
        { "https://taojinbi.taobao.com/home/home_new.htm?", true },
        { "about:blank", true },
        { "qrc:/site/corvalen/linjb.htm", true },
        { "qrc:/res/corvalen.ico", false },
        { "qrc:/site/../res/corvalen.ico", false },
        { "file:///etc/passwd", false },
        { "taobao://item.taobao.com/item.htm?id=1", false },
        { "javascript:alert(1)", false },
        { "data:text/html,<b>hi</b>", false },
        { "chrome://settings", false },
        { "http:///no-host", false },
    };
    for (const auto& row : rows)
        EXPECT_EQ(isNavigable(QUrl(QString::fromUtf8(row.address))), row.allowed) << row.address;
}

// Discards and tab switches every tenth of a second for 35 s: one trim in each 10 s.
TEST(TrimPacerTest, TrimsAtMostOnceInTenSecondsHoweverOftenAsked)
{
    TrimPacer pacer;
    qint64 due = -1;
    std::vector<qint64> trims;
    for (qint64 now = 0; now < 35000; now += 100) {
        if (due >= 0 && now >= due) {
            pacer.trimmed(now);
            trims.push_back(now);
            due = -1;
        }
        if (const auto in = pacer.ask(now, now % 200 == 0 ? 1000 : 3000))
            due = now + *in;
    }
    EXPECT_EQ(trims, (std::vector<qint64> { 1000, 11000, 21000, 31000 }));
}

INSTANTIATE_TEST_SUITE_P(Events, PaneLifecycleTest, ::testing::ValuesIn(kRows),
    [](const ::testing::TestParamInfo<Row>& row) {
        return corvalen::testing::rowName(row.param.name);
    });

} // namespace
