#include "browse/shop_pages.h"
#include "program_harness.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace corvalen;
using namespace corvalen::testing;

namespace {

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}
const QString kBlank = QStringLiteral("about:blank");

class PageTabsTest : public ::testing::Test {
protected:
    void clickTab(int i) { f.Command1(i).Click.raise(); }

    ProgramHarness h;
    Form1& f = h.form();
    const Sites& sites = h.program->sites();
};

struct TabRow {
    int tab;
    bool pane6Visible;
    std::optional<int> pane6Page; // 0 list, 1 coin home, 2 blank; nothing: as it was
    bool pane3Visible;
    int pane3Page; // 0 blank, 1 group buying, 2 brand, 3 special
    bool pane4Visible;
    std::optional<bool> pane4Guide; // true guide, false blank; nothing: kept
    bool stepsVisible;
    bool toggleVisible;
    bool instructionsVisible;
};

TEST_F(PageTabsTest, StateAfterEachTab)
{
    const TabRow rows[] = {
        { 0, true, 0, false, 0, false, false, false, false, true },
        { 1, true, 1, false, 0, true, true, true, true, false },
        { 2, false, 2, true, 1, false, false, false, false, false },
        { 3, true, std::nullopt, true, 2, false, std::nullopt, false, false, false },
        { 4, false, 2, true, 3, false, std::nullopt, false, false, false },
    };
    const QString pane6Pages[]
        = { ShopPages::watchedList(sites), ShopPages::coinHome(sites), kBlank };
    const QString pane3Pages[] = { kBlank, ShopPages::groupBuying(sites),
        ShopPages::brandDiscounts(sites), ShopPages::specialPrices(sites) };
    for (const TabRow& row : rows) {
        ProgramHarness fresh;
        Form1& g = fresh.form();
        const QString pane6Before = fresh.pane(6).lastNavigation();
        const QString pane4Before = fresh.pane(4).lastNavigation();
        g.Command1(row.tab).Click.raise();
        SCOPED_TRACE(row.tab);
        EXPECT_EQ(g.WebBrowser6.Visible(), row.pane6Visible);
        EXPECT_EQ(fresh.pane(6).lastNavigation(),
            row.pane6Page ? pane6Pages[*row.pane6Page] : pane6Before);
        EXPECT_EQ(g.WebBrowser3.Visible(), row.pane3Visible);
        EXPECT_EQ(fresh.pane(3).lastNavigation(), pane3Pages[row.pane3Page]);
        EXPECT_EQ(g.WebBrowser4.Visible(), row.pane4Visible);
        EXPECT_EQ(fresh.pane(4).lastNavigation(),
            row.pane4Guide
                ? (*row.pane4Guide ? sites.maker + QStringLiteral("/corvalen/linjb.htm") : kBlank)
                : pane4Before);
        EXPECT_FALSE(g.WebBrowser2.Visible());
        EXPECT_EQ(fresh.pane(2).lastNavigation(), kBlank);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(g.Command4(i).Visible(), row.stepsVisible);
        EXPECT_EQ(g.Command7.Visible(), row.toggleVisible);
        EXPECT_EQ(g.Command8.Visible(), row.instructionsVisible);
        EXPECT_EQ(g.Command6.Enabled(), row.tab == 0);
        EXPECT_EQ(g.Check1.Enabled(), row.tab == 0);
        EXPECT_EQ(g.Text2.Enabled(), row.tab == 0);
    }
}

TEST(ShopPagesTest, AddressesAsTheSitesAndTheAffiliateValuesMakeThem)
{
    Sites sites = Sites::allAt(QStringLiteral("http://127.0.0.1:8080"));
    sites.coin = QStringLiteral("https://coin.example");
    sites.publisherId = QStringLiteral("mm_1_2_3");
    sites.clickToken = QStringLiteral("TOKEN");
    EXPECT_EQ(ShopPages::watchedList(sites),
        QStringLiteral("https://coin.example/home/full_exchange_home.htm?coin=0"));
    EXPECT_EQ(
        ShopPages::coinHome(sites), QStringLiteral("https://coin.example/home/home_new.htm?"));
    EXPECT_EQ(ShopPages::groupBuying(sites), QStringLiteral("http://127.0.0.1:8080/t?e=TOKEN"));
    EXPECT_EQ(ShopPages::brandDiscounts(sites),
        QStringLiteral("http://127.0.0.1:8080/brand_store.htm?pid=mm_1_2_3_0_0"));
    EXPECT_EQ(
        ShopPages::specialPrices(sites), QStringLiteral("http://127.0.0.1:8080/?pid=mm_1_2_3_0_0"));
    EXPECT_EQ(ShopPages::favouriteShops(sites),
        QStringLiteral("http://127.0.0.1:8080/collect_list.htm?itemtype=0"));
    EXPECT_EQ(sites.toneHost, QStringLiteral("http://127.0.0.1:8080/tones/"));
}

TEST_F(PageTabsTest, ExactlyOneTabIsMarkedAfterAnyClicks)
{
    QRandomGenerator random(42);
    for (int n = 0; n < 40; ++n) {
        const int tab = static_cast<int>(random.bounded(5));
        clickTab(tab);
        for (int j = 0; j < 5; ++j)
            EXPECT_EQ(f.Command1(j).BackColor(), j == tab ? Colors::Marker : Colors::ButtonFace);
    }
}

TEST_F(PageTabsTest, WatcherTabResetsTheCriteriaButKeepsTheCheckBoxes)
{
    clickTab(0);
    f.Check1.setValue(1);
    f.Check2.setValue(1);
    f.Option1(2).setEnabled(true);
    f.Command2(2).setEnabled(true);
    f.Text1(0).setText(u("雨伞"));
    f.Text1(0).setForeColor(Colors::Black);

    clickTab(0);
    EXPECT_EQ(f.Check1.Value(), 1);
    EXPECT_EQ(f.Check2.Value(), 1);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(f.Text1(k).Text(), u("输入关键词"));
        EXPECT_EQ(f.Text1(k).ForeColor(), Colors::ButtonShadow);
        EXPECT_FALSE(f.Text1(k).Enabled());
        EXPECT_FALSE(f.Command3(k).Enabled());
        EXPECT_TRUE(f.Check3(k).Enabled());
    }
    for (int k = 0; k < 4; ++k) {
        EXPECT_FALSE(f.Option1(k).Enabled());
        EXPECT_FALSE(f.Command2(k).Enabled());
        EXPECT_FALSE(f.Option2(k).Enabled());
    }
    EXPECT_TRUE(f.Command3(2).Enabled());
}

TEST_F(PageTabsTest, CoinClaimTabShowsTheStripWhileTheToggleKeepsItsCaption)
{
    clickTab(1);
    f.Command7.Click.raise();
    ASSERT_FALSE(f.WebBrowser4.Visible());
    clickTab(2);
    clickTab(1);
    EXPECT_TRUE(f.WebBrowser4.Visible());
    EXPECT_EQ(f.Command7.Caption(), QStringLiteral(">"));
    EXPECT_FLOAT_EQ(f.Command7.Left(), 380);
}

TEST_F(PageTabsTest, BrandTabSetsThePaneWidthFromTheWindowWidth)
{
    f.resize(1280, 700);
    clickTab(3);
    EXPECT_FLOAT_EQ(f.WebBrowser3.Width(), 1280.0f * 15.0f - 4380.0f);
}

TEST_F(PageTabsTest, CoinClaimTabDisablesOnlyTheKeywordPreviews)
{
    clickTab(0);
    f.Command3(0).setEnabled(true);
    f.Command3(1).setEnabled(true);
    f.Option2(1).setEnabled(true);
    clickTab(1);
    EXPECT_FALSE(f.Command3(0).Enabled());
    EXPECT_FALSE(f.Command3(1).Enabled());
    EXPECT_TRUE(f.Option2(1).Enabled());
    EXPECT_TRUE(f.Check1.Enabled());
}

TEST(PaneBehavioursTest, EveryPaneSilencesItselfOnItsOwnDownloads)
{
    ProgramHarness h;
    for (int n = 1; n <= 6; ++n) {
        h.pane(n).setSilent(false);
        h.pane(n).DownloadBegin.raise();
        EXPECT_TRUE(h.pane(n).Silent()) << n;
        h.pane(n).setSilent(false);
        h.pane(n).DownloadComplete.raise();
        EXPECT_TRUE(h.pane(n).Silent()) << n;
        for (int other = 1; other <= 6; ++other) {
            if (other != n)
                h.pane(other).setSilent(false);
        }
    }
}

TEST(PaneBehavioursTest, PopUpsOfTheGuideAndTheStartPageGoToTheWorkingPane)
{
    ProgramHarness h;
    Form1& f = h.form();
    f.WebBrowser4.setVisible(true);
    for (int n = 1; n <= 6; ++n) {
        const BrowserObject target
            = h.pane(n).NewWindow2 ? h.pane(n).NewWindow2() : BrowserObject {};
        if (n == 2 || n == 4)
            EXPECT_EQ(target.pane, &h.pane(6)) << n;
        else
            EXPECT_EQ(target.pane, nullptr) << n;
    }
    EXPECT_FALSE(f.WebBrowser2.Visible()) << "the start page hides itself";
    EXPECT_TRUE(f.WebBrowser4.Visible()) << "the strip stays";
}

} // namespace
