#include "row_name.h"
#include "simulated_page.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <random>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

const char* const kActNames[] = { "go", "refresh", "hide", "show", "runs", "d", "a", "net", "fin",
    "stop", "app", "pagego", "title", "change", "hang", "crash", "keep", "wait", "busy" };
static_assert(std::size(kActNames) == std::size_t(Act::Count));

// An act as a failure tells it: its name, with what its argument picks in words.
QString told(Step s)
{
    const char* const answers[] = { "", " answered 204", " sent to an app", " failing" };
    const QString name = QLatin1String(kActNames[int(s.act)]);
    switch (s.act) {
    case Act::Navigate:
    case Act::PageGoes:
        return name + QLatin1Char(' ') + target(brings(s.arg)).toString();
    case Act::Refresh:
        return name + QLatin1String(answers[s.arg % 4]);
    case Act::AnswerRead:
        return QLatin1String(s.arg % 8 == 7 ? "an empty answer, and every one after" : "an answer");
    case Act::StopItself:
        return QStringLiteral("stop, parsed in %1 ms").arg(300 * (s.arg % 16));
    case Act::Keep:
        return QLatin1String(s.arg % 2 ? "opened page" : "typed input");
    case Act::Wait:
        return QStringLiteral("wait %1 s at most").arg(10 * (1 + s.arg % 6));
    case Act::Busy:
        return QStringLiteral("busy, answers in %1 s").arg(1 + s.arg % 4);
    default:
        return name;
    }
}

// A move that the lifecycle's table does not allow is logged as critical; here it is a fault.
QStringList g_badMoves;
void recordBadMoves(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg)
        g_badMoves << message;
}

// Plays the steps through a new pane on a simulated page, lets everything run out and closes the
// pane, or closes it in the midst of things: the faults it finds. `said` gets each step in words,
// with the state it left the pane in.
QStringList run(const std::vector<Step>& steps, bool closeMidway = false, QStringList* said = {})
{
    g_badMoves.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordBadMoves);
    SimulatedPage page;
    for (std::size_t i = 0; i < steps.size() && page.faults.isEmpty(); ++i) {
        page.play(steps[i]);
        if (said)
            *said << told(steps[i])
                    + QStringLiteral(" [%1]").arg(QLatin1String(nameOf(page.pane.state())));
    }
    if (page.faults.isEmpty() && !closeMidway)
        page.settle();
    if (page.faults.isEmpty())
        page.close();
    qInstallMessageHandler(previous);
    return page.faults + g_badMoves;
}

// Steps written as words: an act's name and its variant, "go0 d net".
std::vector<Step> parse(const char* text)
{
    std::vector<Step> steps;
    for (const QString& word : QString::fromLatin1(text).split(QLatin1Char(' '))) {
        const QString name = word.section(QRegularExpression(QStringLiteral("\\d")), 0, 0);
        const auto act = std::find_if(std::begin(kActNames), std::end(kActNames),
            [&](const char* known) { return name == QLatin1String(known); });
        EXPECT_NE(act, std::end(kActNames)) << word.toStdString();
        steps.push_back({ Act(act - std::begin(kActNames)), word.mid(name.size()).toInt() });
    }
    return steps;
}

// Drops steps one at a time while the sequence still fails: the shortest failing one it finds.
std::vector<Step> shrink(std::vector<Step> steps, bool closeMidway)
{
    for (std::size_t i = 0; i < steps.size();) {
        std::vector<Step> without = steps;
        without.erase(without.begin() + static_cast<std::ptrdiff_t>(i));
        if (run(without, closeMidway).isEmpty()) {
            ++i;
            continue;
        }
        steps = std::move(without);
        i = 0;
    }
    return steps;
}

constexpr int kRandomSequences = 40000;
// A list crashed and loaded again three times within a minute: what comes next finds the crash
// budget spent.
const char* const kBudgetSpent
    = "go0 d d net fin d a crash wait d d net fin d a crash wait d d net "
      "fin d a crash wait d d net fin d a";

// Many thousands of sequences of what the program, the page and the engine may do, in any
// order; the page simulated checks the pane's rules after every step and once all has run out.
TEST(PaneLifecycleTest, EveryCompletedPageIsReadOnceWhateverThePageAndTheEngineDo)
{
    // Loads mostly run on to their ends; the program and the page cut in.
    const double weights[] = { 6, 3, 2, 2, 1, 14, 6, 6, 4, 2, 2, 2, 2, 1, 1, 2, 2, 3, 1 };
    static_assert(std::size(weights) == std::size_t(Act::Count));
    // CORVALEN_LIFECYCLE_SEEDS=n runs n seeds from CORVALEN_LIFECYCLE_SEED on.
    const unsigned first = qEnvironmentVariableIntValue("CORVALEN_LIFECYCLE_SEED") + 20261208u;
    const unsigned seeds = std::max(1, qEnvironmentVariableIntValue("CORVALEN_LIFECYCLE_SEEDS"));
    for (unsigned seed = first; seed < first + seeds; ++seed) {
        std::mt19937 random(seed);
        std::discrete_distribution<int> act(std::begin(weights), std::end(weights));
        const std::vector<Step> spent = parse(kBudgetSpent);
        // The same sequences on every machine, however fast.
        for (int sequence = 0; sequence < kRandomSequences; ++sequence) {
            std::vector<Step> steps(10 + random() % 110);
            for (Step& step : steps)
                step = { Act(act(random)), int(random() % 64) };
            if (sequence % 8 == 1) // one in eight begins with the crash budget spent
                steps.insert(steps.begin(), spent.begin(), spent.end());
            if (sequence % 2 == 0) // half end asking for the list: read within a watch's interval
                steps.push_back({ Act::Navigate, 0 });
            // One sequence in four closes the pane in the midst of things.
            const bool closeMidway = sequence % 4 == 3;
            if (run(steps, closeMidway).isEmpty())
                continue;
            QStringList told;
            const QStringList faults = run(shrink(steps, closeMidway), closeMidway, &told);
            FAIL() << "seed " << seed << ", sequence " << sequence
                   << (closeMidway ? ", closed" : "") << ":\n"
                   << told.join(QLatin1Char('\n')).toStdString() << "\n"
                   << faults.join(QStringLiteral("; ")).toStdString();
        }
    }
}

struct Sequence {
    const char* name;
    const char* steps;
};

class PaneSequenceTest : public ::testing::TestWithParam<Sequence> { };

TEST_P(PaneSequenceTest, BreaksNoRule)
{
    EXPECT_EQ(run(parse(GetParam().steps)).join(QStringLiteral("; ")).toStdString(), "");
}

// A list read again and again while it parses, to the last read allowed.
#define PARSED_LATE                                                                                \
    "go0 d d net stop15 d a wait a wait a wait a wait a wait a wait a wait a wait a wait a wait "  \
    "a "                                                                                           \
    "wait a wait a wait a wait a wait a wait a"

// "go0 d d net fin d a" loads the list and reads it: asked, fenced, started, answered, loaded.
const Sequence kSequences[] = {
    { "two pages parsed late, one after the other", PARSED_LATE " refresh d d net stop15" },
    { "a page parsed late whose own link goes to another", PARSED_LATE " pagego1 d net stop15" },
};

INSTANTIATE_TEST_SUITE_P(Sequences, PaneSequenceTest, ::testing::ValuesIn(kSequences),
    [](const ::testing::TestParamInfo<Sequence>& row) { return rowName(row.param.name); });

} // namespace
