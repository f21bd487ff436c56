#include "event_spy.h"
#include "eventually.h"
#include "hostile_server.h"
#include "process_memory.h"
#include "real_program.h"
#include "shop_simulation.h"

#include <QElapsedTimer>
#include <cstdio>
#include <gtest/gtest.h>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

const QString kList = QStringLiteral("/home/full_exchange_home.htm");

QByteArray goods(int count)
{
    QByteArray page = "<html><body><div class=\"full-goods-list\"><ul>";
    for (int i = 0; i < count; ++i)
        page += QString::fromUtf8("<li><b>可用金币兑换</b>雨伞 %1</li>").arg(i).toUtf8();
    return page + "</ul></div><div class=\"pagination\">1</div></body></html>";
}

// The pages a long watch goes through, good and hostile in turn.
std::vector<HostileReply> pageCycle()
{
    std::vector<HostileReply> cycle;
    auto whole = [](QByteArray body, int status = 200) {
        HostileReply reply;
        reply.body = std::move(body);
        reply.status = status;
        return reply;
    };
    cycle.push_back(whole(goods(3)));
    cycle.push_back(whole("<html><body></body></html>"));
    cycle.push_back(whole(goods(2000)));
    cycle.push_back(whole("<html><body>gone</body></html>", 404));
    cycle.push_back(
        whole("<html><body>\xff\xfe<script>alert(1); window.open('/x');</script></body></html>"));
    HostileReply cut = whole(goods(50));
    cut.kind = HostileReply::Kind::CutOff;
    cycle.push_back(cut);
    cycle.push_back(whole(goods(25)));
    return cycle;
}

// Refreshes a running keyword watch many times, cycling through good and hostile pages, and
// records the proportional memory (PSS) of the whole process tree every hundred refreshes. The
// count is CORVALEN_LONG_WATCH_REFRESHES (a short run by default).
TEST(LongWatchTest, MemoryStaysBoundedOverManyRefreshes)
{
    const int refreshes = qEnvironmentVariableIsSet("CORVALEN_LONG_WATCH_REFRESHES")
        ? qEnvironmentVariableIntValue("CORVALEN_LONG_WATCH_REFRESHES")
        : 300;
    demo::ShopSimulation simulation;
    simulation.start();
    HostileServer hostile;
    const auto cycle = pageCycle();
    hostile.setReply(kList, cycle[0]);
    Sites sites = simulation.sites();
    sites.coin = hostile.base();
    RealProgram real(sites);
    ASSERT_TRUE(real.finishStartUp());
    Form1& f = real.form();
    EventSpy completed(f.WebBrowser6->DocumentComplete);
    RealProgram::click(f.Command1(0));
    ASSERT_EVENTUALLY_EQ(f.Text2.Text(), QStringLiteral("3"), 20000);
    RealProgram::click(f.Check3(0));
    RealProgram::click(f.Text1(0));
    RealProgram::type(f.Text1(0), QString::fromUtf8("雨伞"));
    RealProgram::click(f.Check2);
    RealProgram::click(f.Option2(0));
    RealProgram::click(f.Command6);
    f.Timer1.setInterval(0); // the test drives the seconds

    QElapsedTimer clock;
    clock.start();
    runEvents(2000);
    std::printf("idle          PSS %7lld kB\n", static_cast<long long>(processTreePssKb()));
    std::vector<qint64> pssKb;
    for (int n = 1; n <= refreshes; ++n) {
        hostile.setReply(kList, cycle[static_cast<std::size_t>(n) % cycle.size()]);
        const int before = completed.count();
        for (int second = 0; second < 10; ++second)
            f.Timer1.tick();
        waitUntil([&] { return completed.count() > before; }, 10000);
        if (n % 100 == 0) {
            pssKb.push_back(processTreePssKb());
            std::printf("refresh %5d  PSS %7lld kB  %6.1f s  tones %lld\n", n,
                static_cast<long long>(pssKb.back()), clock.elapsed() / 1000.0,
                static_cast<long long>(real.components.tones.size()));
        }
    }
    ASSERT_GE(pssKb.size(), 2u);
    EXPECT_EQ(f.Command6.Caption(), QString::fromUtf8("Corvalen下班"));
    EXPECT_TRUE(real.dialogs.shown.empty());
    // After the first hundred refreshes have warmed the caches up, the tree may breathe but not
    // keep growing.
    const qint64 growth = pssKb.back() - pssKb.front();
    EXPECT_LT(growth, 150 * 1024) << "PSS grew by " << growth << " kB";
}

} // namespace
