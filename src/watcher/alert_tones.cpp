#include "alert_tones.h"

#include "forms/desktop_shell.h"
#include "forms/form1.h"

namespace corvalen {

QString toneAddress(const QString& toneHost, int tone)
{
    return toneHost + QString::number(tone) + QStringLiteral(".mp3");
}

AlertTones::AlertTones(Form1& form, const QString& toneHost, DesktopShell& shell)
    : QObject(&form)
    , m_form(form)
    , m_toneHost(toneHost)
    , m_shell(shell)
{
    form.Command2.connect(&Button::Click, this, [this](int k) { command2Click(k); });
    form.Command3.connect(&Button::Click, this, [this](int k) { command3Click(k); });
}

void AlertTones::command2Click(int index)
{
    play(index + 1);
}

void AlertTones::command3Click(int index)
{
    play(index + 5);
}

void AlertTones::play(int tone)
{
    m_form.WindowsMediaPlayer1->setURL(toneAddress(m_toneHost, tone));
    // A user away from the speakers still sees the taskbar entry flash; nothing else changes.
    if (!m_form.isActiveWindow())
        m_shell.askForAttention(&m_form);
}

} // namespace corvalen
