#include "loopback_http.h"

#include <QHttpServer>
#include <QHttpServerResponse>
#include <QTcpServer>

// Qt 6.8 gave Qt HTTP Server a new API: the server is bound to a listening QTcpServer, a handler
// after each request changes the answer in place, and an answer's headers are QHttpHeaders.
namespace corvalen::demo {

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)

quint16 serveOnLoopback(QHttpServer& server, quint16 port)
{
    server.addAfterRequestHandler(
        &server, [](const QHttpServerRequest&, QHttpServerResponse& response) {
            addHeaders(response, { { "Connection", "close" } });
        });
    auto* tcp = new QTcpServer(&server);
    if (!tcp->listen(QHostAddress::LocalHost, port) || !server.bind(tcp)) {
        delete tcp;
        return 0;
    }
    return tcp->serverPort();
}

void addHeaders(QHttpServerResponse& response, const QList<QPair<QByteArray, QByteArray>>& headers)
{
    QHttpHeaders all = response.headers();
    for (const auto& [name, value] : headers)
        all.replaceOrAppend(name, value);
    response.setHeaders(std::move(all));
}

#else

quint16 serveOnLoopback(QHttpServer& server, quint16 port)
{
    server.afterRequest([](QHttpServerResponse&& response) {
        response.setHeader("Connection", "close");
        return std::move(response);
    });
    return server.listen(QHostAddress::LocalHost, port);
}

void addHeaders(QHttpServerResponse& response, const QList<QPair<QByteArray, QByteArray>>& headers)
{
    for (const auto& [name, value] : headers)
        response.setHeader(name, value);
}

#endif

} // namespace corvalen::demo
