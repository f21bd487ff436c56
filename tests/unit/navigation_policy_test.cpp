#include "platform_rules/navigation_policy.h"

#include <QUrl>
#include <gtest/gtest.h>

using namespace corvalen;

namespace {

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

} // namespace
