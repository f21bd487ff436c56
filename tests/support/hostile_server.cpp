#include "hostile_server.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace corvalen::testing {

namespace {
QByteArray head(int status, const HostileReply& reply, qsizetype length)
{
    QByteArray text = "HTTP/1.1 " + QByteArray::number(status) + " Status\r\nConnection: close\r\n";
    if (!reply.type.isEmpty())
        text += "Content-Type: " + reply.type + "\r\n";
    if (length >= 0)
        text += "Content-Length: " + QByteArray::number(length) + "\r\n";
    for (const auto& [name, value] : reply.headers)
        text += name + ": " + value + "\r\n";
    return text + "\r\n";
}
} // namespace

HostileServer::HostileServer()
    : m_server(new QTcpServer(this))
{
    m_server->listen(QHostAddress::LocalHost, 0);
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server->nextPendingConnection())
            serve(socket);
    });
}

HostileServer::~HostileServer() = default;

QString HostileServer::base() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server->serverPort());
}

void HostileServer::serve(QTcpSocket* socket)
{
    socket->setParent(this);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        if (socket->property("answered").toBool() || !socket->peek(65536).contains("\r\n\r\n"))
            return;
        socket->setProperty("answered", true);
        const QList<QByteArray> requestLine = socket->readLine().split(' ');
        const QString target
            = requestLine.size() > 1 ? QString::fromLatin1(requestLine[1]) : QString();
        answer(socket, QUrl(target).path());
    });
}

void HostileServer::answer(QTcpSocket* socket, const QString& path)
{
    ++m_hits[path];
    const auto found = m_replies.constFind(path);
    const HostileReply reply = found == m_replies.constEnd()
        ? HostileReply { HostileReply::Kind::Whole, 404, "text/plain", "not found", 0, {} }
        : *found;
    const QPointer<QTcpSocket> guarded(socket);
    const bool trickles = reply.kind == HostileReply::Kind::Trickle;
    QTimer::singleShot(trickles ? 0 : reply.delayMs, this, [guarded, reply, path] {
        if (!guarded)
            return;
        switch (reply.kind) {
        case HostileReply::Kind::Whole:
            guarded->write(head(reply.status, reply, reply.body.size()) + reply.body);
            guarded->disconnectFromHost();
            return;
        case HostileReply::Kind::CutOff:
            guarded->write(head(reply.status, reply, reply.body.size() * 2) + reply.body);
            guarded->flush();
            guarded->abort();
            return;
        case HostileReply::Kind::RedirectToItself: {
            HostileReply redirect = reply;
            redirect.headers.append({ "Location", path.toLatin1() });
            guarded->write(head(302, redirect, 0));
            guarded->disconnectFromHost();
            return;
        }
        case HostileReply::Kind::Trickle: {
            const QByteArray whole = head(reply.status, reply, reply.body.size()) + reply.body;
            constexpr int kPieces = 20;
            const qsizetype size = whole.size() / kPieces + 1;
            for (int i = 0; i < kPieces; ++i)
                QTimer::singleShot(
                    reply.delayMs * (i + 1) / kPieces, guarded, [guarded, whole, size, i] {
                        guarded->write(whole.mid(i * size, size));
                        if (i == kPieces - 1)
                            guarded->disconnectFromHost();
                    });
            return;
        }
        }
    });
}

} // namespace corvalen::testing
