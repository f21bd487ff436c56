#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

namespace corvalen {

// Fetches a tone file, built in (qrc:) or from the tone host (http, https), without holding up
// the window thread. One fetch at a time: a new one drops the one under way. A fetch that fails,
// has not completed kToneFetchDeadlineMs after it was asked for (however the host trickles its
// bytes), or grows past kMaxToneFileBytes gives an empty file.
//
// An alert is news only for a moment: a tone host that answers at all sends a tone in well under
// a second, and a tone later than 5 s tells of a list the user may already have seen change.
constexpr int kToneFetchDeadlineMs = 5000;
constexpr qint64 kMaxToneFileBytes = 2 * 1024 * 1024;

class ToneFetch : public QObject {
    Q_OBJECT
public:
    using Done = std::function<void(const QByteArray& file)>;

    explicit ToneFetch(QObject* parent = nullptr);
    ~ToneFetch() override;

    void fetch(const QString& url, Done done);

private:
    void fetchFromNetwork(const QUrl& url);
    void finish(const QByteArray& file);
    void dropReply();

    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    Done m_done;
};

} // namespace corvalen
