#include "loopback_server.h"

#include "loopback_http.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QTcpServer>

namespace corvalen::testing {

LoopbackServer::LoopbackServer()
    : m_server(std::make_unique<QHttpServer>())
{
    m_server->route(
        QStringLiteral("/<arg>"), [this](const QUrl&, const QHttpServerRequest& request) {
            const QString path = request.url().path();
            ++m_hits[path];
            m_cookies[path] = request.value("Cookie");
            const auto page = m_pages.find(path);
            if (page == m_pages.end())
                return QHttpServerResponse(
                    "text/plain", "not found", QHttpServerResponse::StatusCode::NotFound);
            QHttpServerResponse response(page->type, page->body, page->status);
            demo::addHeaders(response, page->headers);
            return response;
        });
    m_port = demo::serveOnLoopback(*m_server);
}

void LoopbackServer::setPage(const QString& path, const QByteArray& html, const QByteArray& type,
    QHttpServerResponse::StatusCode status)
{
    m_pages[path] = Page { html, type, status, {} };
}

void LoopbackServer::setHeader(const QString& path, const QByteArray& name, const QByteArray& value)
{
    m_pages[path].headers.append({ name, value });
}

void LoopbackServer::setFile(const QString& path, const QString& fileName, const QByteArray& type)
{
    QFile file(fileName);
    if (file.open(QIODevice::ReadOnly))
        setPage(path, file.readAll(), type);
}

quint16 LoopbackServer::closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace corvalen::testing
