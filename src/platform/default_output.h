#pragma once

#include <QAudioDevice>
#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <memory>
#include <optional>

namespace corvalen {

// Which output is the system's default now, and a signal whenever the outputs or the default
// change. Qt Multimedia 6.4 learns neither of a new default nor of outputs coming and going
// through a PulseAudio server (its list is right, its default and its signal are not), so on
// Linux the sound server itself is asked and listened to; elsewhere Qt's own answer stands.
class DefaultOutput : public QObject {
    Q_OBJECT
public:
    explicit DefaultOutput(QObject* parent = nullptr);
    ~DefaultOutput() override;

    // Null when there is no output.
    QAudioDevice device() const;

signals:
    void changed();

private:
    struct Server;
    void serverNamed(const QByteArray& sink);
    void waitUntilListed();

    std::unique_ptr<Server> m_server;
    // The server's default, once it has said it; until then Qt's.
    std::optional<QByteArray> m_serverDefault;
    int m_unlistedChecks = 0;
    QTimer* m_listCheck;
};

} // namespace corvalen
