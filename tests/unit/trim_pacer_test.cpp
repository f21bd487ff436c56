#include "platform_rules/trim_pacer.h"

#include <gtest/gtest.h>
#include <vector>

using namespace corvalen;

namespace {

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

} // namespace
