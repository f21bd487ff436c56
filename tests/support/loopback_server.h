#pragma once

#include <QByteArray>
#include <QHttpServer>
#include <QMap>
#include <QString>
#include <memory>

namespace corvalen::testing {

// A web server on 127.0.0.1 at a free port, for one test: pages are set per path, every
// request is counted per path. It stops with the test.
class LoopbackServer {
public:
    LoopbackServer();

    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }
    QString url(const QString& path) const { return base() + path; }
    quint16 port() const { return m_port; }

    void setPage(const QString& path, const QByteArray& html,
        const QByteArray& type = "text/html; charset=utf-8",
        QHttpServerResponse::StatusCode status = QHttpServerResponse::StatusCode::Ok);
    void setFile(const QString& path, const QString& fileName, const QByteArray& type);
    // A header every answer on the path carries, such as a cookie to set.
    void setHeader(const QString& path, const QByteArray& name, const QByteArray& value);
    int hits(const QString& path) const { return m_hits.value(path); }
    // The cookies the browser sent with the last request for the path.
    QByteArray lastCookies(const QString& path) const { return m_cookies.value(path); }

    // A port on which nothing listens, until a server is started on it.
    static quint16 closedPort();

private:
    struct Page {
        QByteArray body;
        QByteArray type;
        QHttpServerResponse::StatusCode status;
        QList<QPair<QByteArray, QByteArray>> headers;
    };

    std::unique_ptr<QHttpServer> m_server;
    quint16 m_port = 0;
    QMap<QString, Page> m_pages;
    QMap<QString, int> m_hits;
    QMap<QString, QByteArray> m_cookies;
};

} // namespace corvalen::testing
