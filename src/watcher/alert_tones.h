#pragma once

#include <QObject>
#include <QString>

namespace corvalen {

class DesktopShell;
class Form1;

// The address of tone n at the tone host: its base, the number, ".mp3".
QString toneAddress(const QString& toneHost, int tone);

// The seven alert tones. The preview buttons play them, and the reader plays the tone of a
// matched criterion through the same click handlers. A tone that starts while the main window is
// not the active one also asks the desktop to draw the user's eye to it.
class AlertTones : public QObject {
public:
    AlertTones(Form1& form, const QString& toneHost, DesktopShell& shell);

    // Tone k + 1, for the range beside Command2(k).
    void command2Click(int index);
    // Tone k + 5: the keyword tones and, at index 2, the tone for both keywords.
    void command3Click(int index);

private:
    void play(int tone);

    Form1& m_form;
    QString m_toneHost;
    DesktopShell& m_shell;
};

} // namespace corvalen
