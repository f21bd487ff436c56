#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

class QHttpServer;
class QHttpServerResponse;

namespace corvalen::demo {

// Serves on 127.0.0.1, at this port or a free one, one request a connection: the server of Qt 6.4
// stalls on kept-alive connections, and the browser allows only six of them to one host. The
// port, or 0 when it could not be had.
quint16 serveOnLoopback(QHttpServer& server, quint16 port = 0);

// Adds these headers to an answer.
void addHeaders(QHttpServerResponse& response, const QList<QPair<QByteArray, QByteArray>>& headers);

} // namespace corvalen::demo
