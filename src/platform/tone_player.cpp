#include "tone_player.h"

#include "tone_output.h"

#include <QMediaDevices>

namespace corvalen {

TonePlayer::TonePlayer(QObject* parent)
    : QObject(parent)
    , m_output(new ToneOutput)
{
    // Qt's sound platform is made by its first user and lives on that thread: the window thread,
    // which outlives the output's.
    QMediaDevices::audioOutputs();
    m_thread.setObjectName(QStringLiteral("Corvalen tones"));
    m_output->moveToThread(&m_thread);
    QMetaObject::invokeMethod(m_output, &ToneOutput::open);
    m_thread.start(QThread::HighPriority);
}

// The output closes on its own thread, which then ends: a window closed ends the program at once.
TonePlayer::~TonePlayer()
{
    m_output->deleteLater();
    m_thread.quit();
    m_thread.wait();
}

void TonePlayer::setURL(const QString& url)
{
    m_url = url;
    const quint64 request = ++m_request;
    // The tone playing stops now, not when the next one is ready: the user hears the latest. The
    // output drops the file of a request overtaken by another.
    ToneOutput* output = m_output;
    QMetaObject::invokeMethod(output, [output, request] { output->cutOff(request); });
    m_fetch.fetch(url, [output, request](const QByteArray& file) {
        if (!file.isEmpty())
            QMetaObject::invokeMethod(
                output, [output, request, file] { output->play(request, file); });
    });
}

} // namespace corvalen
