#pragma once

#include <QAudioDevice>
#include <QByteArray>
#include <QFutureWatcher>
#include <QObject>

class QAudioSink;
class QTimer;

namespace corvalen {

class DefaultOutput;
class ToneFeed;

// What the user hears of the tone player, on a thread of its own: the file decoded, the output
// stream on the system's default output, opened at start and again when the outputs change, and
// the feed that writes the tone into it. The window thread, which stalls while heavy pages load
// and paint, only hands over the files fetched and the requests; a tone under way sounds whole
// whatever that thread is doing.
//
// Made on the window thread and moved to the output's thread before `open()`; every call after
// that comes on the output's thread.
class ToneOutput : public QObject {
    Q_OBJECT
public:
    ToneOutput() = default;
    ~ToneOutput() override;

    // Makes the parts on this thread, so that their timers run here, and opens the output.
    void open();
    // A new request: the tone playing stops now, and files of earlier requests are dropped.
    void cutOff(quint64 request);
    // Decodes the file of this request and plays it, unless a later request came first.
    void play(quint64 request, const QByteArray& file);

private:
    void followDefaultOutput();
    void openOutput(const QAudioDevice& device);
    void closeOutput();
    // A stream that takes nothing more is closed, and the default output opened anew.
    void replaceOutput();

    quint64 m_request = 0;
    quint64 m_decodingRequest = 0;
    QFutureWatcher<QByteArray>* m_decoding = nullptr;
    ToneFeed* m_feed = nullptr;
    DefaultOutput* m_default = nullptr;
    QTimer* m_retry = nullptr;
    QAudioDevice m_device;
    QAudioSink* m_sink = nullptr;
#ifdef Q_OS_WIN
    bool m_comInitialised = false;
#endif
};

} // namespace corvalen
