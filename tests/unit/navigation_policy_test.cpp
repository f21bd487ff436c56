#include "platform_rules/navigation_policy.h"

#include <QUrl>
#include <gtest/gtest.h>

using namespace corvalen;

namespace {

// The built-in site opens for the program (no page asking) and for its own pages only.
TEST(NavigationPolicyTest, OnlyWebPagesABlankPageAndTheBuiltInSiteMayBeShown)
{
    const struct {
        const char* address;
        bool allowed;
        const char* askedFrom = nullptr;
    } rows[] = {
        { "http://127.0.0.1:8080/home/full_exchange_home.htm?coin=0", true },
        { "https://taojinbi.taobao.com/home/home_new.htm?", true },
        { "about:blank", true },
        { "qrc:/site/corvalen/linjb.htm", true },
        { "qrc:/site/corvalen/linjb.htm", true, "qrc:/site/corvalen/shuoming.htm" },
        { "qrc:/site/corvalen/linjb.htm", false, "https://taojinbi.taobao.com/" },
        { "https://taojinbi.taobao.com/", true, "https://taojinbi.taobao.com/" },
        { "qrc:/res/corvalen.ico", false },
        { "qrc:/site/../res/corvalen.ico", false },
        { "file:///etc/passwd", false },
        { "taobao://item.taobao.com/item.htm?id=1", false },
        { "javascript:alert(1)", false },
        { "data:text/html,<b>hi</b>", false },
        { "chrome://settings", false },
        { "http:///no-host", false },
    };
    for (const auto& row : rows) {
        const QUrl url(QString::fromUtf8(row.address));
        const bool allowed = isNavigable(url)
            && !reachesBuiltInSiteFromWeb(
                url, !row.askedFrom, QUrl(QString::fromUtf8(row.askedFrom)));
        EXPECT_EQ(allowed, row.allowed)
            << row.address << " from " << (row.askedFrom ? row.askedFrom : "the program");
    }
}

} // namespace
