#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QString>

class QTcpServer;
class QTcpSocket;

namespace corvalen::testing {

// How the server answers a path: a whole response, late, cut off half way, a redirect to itself,
// or a whole response a piece at a time over `delayMs`. Written byte by byte, so that a test can
// serve what a tidy server never would.
struct HostileReply {
    enum class Kind { Whole, CutOff, RedirectToItself, Trickle };
    Kind kind = Kind::Whole;
    int status = 200;
    QByteArray type = "text/html; charset=utf-8";
    QByteArray body;
    int delayMs = 0;
    QList<QPair<QByteArray, QByteArray>> headers;
};

// A web server on 127.0.0.1 at a free port that answers each path as a test says.
class HostileServer : public QObject {
    Q_OBJECT
public:
    HostileServer();
    ~HostileServer() override;

    QString base() const;
    void setReply(const QString& path, HostileReply reply) { m_replies[path] = std::move(reply); }
    int hits(const QString& path) const { return m_hits.value(path); }

private:
    void serve(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QString& path);

    QTcpServer* m_server;
    QMap<QString, HostileReply> m_replies;
    QMap<QString, int> m_hits;
};

} // namespace corvalen::testing
