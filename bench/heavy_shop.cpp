#include "heavy_shop.h"

#include "heavy_pages.h"
#include "loopback_http.h"

#include <QHttpServerRequest>

namespace corvalen::testing {

HeavyShop::HeavyShop(int goods)
    : m_server(std::make_unique<QHttpServer>())
    , m_list(heavyListPage(goods))
    , m_shop(heavyShopPage(QStringLiteral("simulated shop")))
{
    m_server->route(
        QStringLiteral("/<arg>"), [this](const QUrl&, const QHttpServerRequest& request) {
            if (request.url().path() != QLatin1String("/home/full_exchange_home.htm"))
                return QHttpServerResponse("text/html; charset=utf-8", m_shop);
            ++m_listLoads;
            return QHttpServerResponse("text/html; charset=utf-8", m_list);
        });
    m_port = demo::serveOnLoopback(*m_server);
}

void HeavyShop::serveShopsOf(Sites& sites) const
{
    sites.coin = site("coin");
    sites.favourites = site("favourites");
    sites.brand = site("brand");
    sites.special = site("special");
    sites.click = site("click");
}

} // namespace corvalen::testing
