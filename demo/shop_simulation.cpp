#include "shop_simulation.h"

#include "goods_sequence.h"
#include "loopback_http.h"

#include <QFile>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QRegularExpression>

namespace corvalen::demo {

namespace {
const QByteArray kHtml = "text/html; charset=utf-8";

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QByteArray simulatedPage(const QString& title, const QString& body)
{
    return (u("<!DOCTYPE html><html lang=\"zh-CN\"><head><meta charset=\"utf-8\"><title>") + title
        + u("</title><style>body{font-family:sans-serif;margin:0;background:#fffaf3}"
            ".sim{background:#c0392b;color:#fff;padding:6px 12px;font-weight:bold}"
            ".box{margin:16px;padding:12px 16px;background:#fff;border:1px solid #f0c080}"
            "</style></head><body><div class=\"sim\">这是模拟页面：Corvalen "
            "演示用，并非真实的购物网站。</div>"
            "<div class=\"box\">")
        + body + u("</div></body></html>"))
        .toUtf8();
}

QByteArray resource(const QString& path)
{
    QFile file(QStringLiteral(":/site") + path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

ShopSimulation::ShopSimulation(QObject* parent)
    : QObject(parent)
    , m_server(std::make_unique<QHttpServer>())
    , m_release(QStringLiteral("1.3.0"))
{
    m_server->route(QStringLiteral("/"),
        [this](const QHttpServerRequest& request) { return respond(request); });
    m_server->route(QStringLiteral("/<arg>"),
        [this](const QUrl&, const QHttpServerRequest& request) { return respond(request); });
}

ShopSimulation::~ShopSimulation() = default;

bool ShopSimulation::start()
{
    m_port = serveOnLoopback(*m_server);
    return m_port != 0;
}

QString ShopSimulation::base() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_port);
}

Sites ShopSimulation::sites() const
{
    return Sites::allAt(base());
}

QHttpServerResponse ShopSimulation::respond(const QHttpServerRequest& request)
{
    const QString path = request.url().path();
    ++m_hits[path];
    if (path.startsWith(QStringLiteral("/corvalen")) || path.startsWith(QStringLiteral("/tones/")))
        return makerPage(path);
    return shopPage(path);
}

QHttpServerResponse ShopSimulation::makerPage(const QString& path) const
{
    const QByteArray content = resource(path);
    if (content.isEmpty())
        return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
    if (path.endsWith(QStringLiteral(".mp3")))
        return QHttpServerResponse("audio/mpeg", content);
    if (path.endsWith(QStringLiteral(".css")))
        return QHttpServerResponse("text/css", content);
    QString page = QString::fromUtf8(content);
    // The start page announces the release; the guide page names today's shop.
    static const QRegularExpression title(QStringLiteral("<title>[^<]*</title>"));
    if (path == QStringLiteral("/corvalen/corvalen2345.htm"))
        page.replace(title,
            QStringLiteral("<title>") + m_release.toHtmlEscaped() + QStringLiteral("</title>"));
    if (path == QStringLiteral("/corvalen/linjb.htm")) {
        page.replace(title, QStringLiteral("<title>") + todaysShop() + QStringLiteral("</title>"));
        page.replace(QStringLiteral("https://taojinbi.taobao.com/"),
            base() + QStringLiteral("/home/home_new.htm"));
    }
    return QHttpServerResponse(kHtml, page.toUtf8());
}

QHttpServerResponse ShopSimulation::shopPage(const QString& path)
{
    if (path == QStringLiteral("/home/full_exchange_home.htm")) {
        emit listServed(m_listLoads);
        return QHttpServerResponse(kHtml, GoodsSequence::listPage(m_listLoads++).toUtf8());
    }
    if (path == QStringLiteral("/home/home_new.htm"))
        return QHttpServerResponse(kHtml,
            simulatedPage(u("淘金币（模拟）"),
                u("<h2>淘金币首页</h2><p>今天可领取 <b>20</b> 淘金币。</p>"
                  "<button onclick=\"this.textContent='已领取'\">领取淘金币</button>"
                  "<p><a href=\"/home/full_exchange_home.htm?coin=0\">全额兑换</a></p>")));
    if (path == QStringLiteral("/collect_list.htm"))
        return QHttpServerResponse(kHtml,
            simulatedPage(u("我的收藏（模拟）"),
                u("<h2>收藏的店铺</h2><ul><li>昨天的店铺 A <button>删除</button></li>"
                  "<li>昨天的店铺 B <button>删除</button></li></ul>")));
    if (path == QStringLiteral("/shop/today.htm"))
        return QHttpServerResponse(kHtml,
            simulatedPage(u("今天的店铺（模拟）"),
                u("<h2>今天的店铺</h2><p>收藏本店即可领取 <b>5</b> 店铺淘金币。</p>"
                  "<button "
                  "onclick=\"this.textContent='已收藏，淘金币已到账'\">收藏店铺</button>")));
    if (path == QStringLiteral("/t"))
        return QHttpServerResponse(kHtml,
            simulatedPage(u("聚划算（模拟）"), u("<h2>每日聚划算</h2><p>今日团购好货。</p>")));
    if (path == QStringLiteral("/brand_store.htm"))
        return QHttpServerResponse(
            kHtml, simulatedPage(u("名品折扣（模拟）"), u("<h2>名品折扣</h2><p>大牌低价。</p>")));
    if (path == QStringLiteral("/"))
        return QHttpServerResponse(
            kHtml, simulatedPage(u("天天特价（模拟）"), u("<h2>天天特价</h2><p>9.9 包邮。</p>")));
    return QHttpServerResponse(QHttpServerResponse::StatusCode::NotFound);
}

} // namespace corvalen::demo
