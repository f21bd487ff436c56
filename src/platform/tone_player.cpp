#include "tone_player.h"

#include "tone_output.h"

#include <QMediaDevices>

namespace corvalen {

namespace {
// How long the program's end waits for the output's thread: a sound server that never answers
// (a Bluetooth output gone between the listing and the connect) must not keep the window open.
constexpr int kEndWaitMs = 1000;
} // namespace

TonePlayer::TonePlayer(QObject* parent)
    : QObject(parent)
    , m_thread(new QThread)
    , m_output(new ToneOutput)
{
    // Qt's sound platform is made by its first user and lives on that thread: the window thread,
    // which outlives the output's.
    QMediaDevices::audioOutputs();
    m_thread->setObjectName(QStringLiteral("Corvalen tones"));
    m_output->moveToThread(m_thread);
    QMetaObject::invokeMethod(m_output, &ToneOutput::open);
    m_thread->start(QThread::HighPriority);
}

// The output closes on its own thread, which then ends: a window closed ends the program at once.
// A thread still held up in the sound server past the deadline is left to the system, with what
// it holds: deleting a running thread would abort the program.
TonePlayer::~TonePlayer()
{
    m_output->deleteLater();
    m_thread->quit();
    if (m_thread->wait(QDeadlineTimer(kEndWaitMs)))
        delete m_thread;
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
