#include "tone_fetch.h"

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <QUrl>

namespace corvalen {

ToneFetch::ToneFetch(QObject* parent)
    : QObject(parent)
{
}

ToneFetch::~ToneFetch()
{
    dropReply();
}

void ToneFetch::fetch(const QString& address, Done done)
{
    dropReply();
    m_done = std::move(done);
    const QUrl url(address);
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return fetchFromNetwork(url);
    QByteArray file;
    if (scheme == QLatin1String("qrc")) {
        QFile resource(QLatin1Char(':') + url.path());
        if (resource.size() <= kMaxToneFileBytes && resource.open(QIODevice::ReadOnly))
            file = resource.readAll();
    }
    finish(file);
}

void ToneFetch::fetchFromNetwork(const QUrl& url)
{
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkReply* reply = m_network->get(QNetworkRequest(url));
    m_reply = reply;
    QTimer::singleShot(kToneFetchDeadlineMs, reply, &QNetworkReply::abort);
    // A file larger than any tone is not read to its end.
    connect(reply, &QNetworkReply::downloadProgress, this,
        [this, reply](qint64 received, qint64 total) {
            if (received > kMaxToneFileBytes || total > kMaxToneFileBytes)
                reply->abort();
        });
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        if (reply != m_reply)
            return;
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const bool whole
            = reply->error() == QNetworkReply::NoError && status >= 200 && status < 300;
        const QByteArray file = whole ? reply->readAll() : QByteArray();
        dropReply();
        finish(file.size() <= kMaxToneFileBytes ? file : QByteArray());
    });
}

void ToneFetch::finish(const QByteArray& file)
{
    Done done = std::exchange(m_done, nullptr);
    if (done)
        done(file);
}

void ToneFetch::dropReply()
{
    if (QNetworkReply* reply = m_reply.data()) {
        m_reply.clear();
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

} // namespace corvalen
