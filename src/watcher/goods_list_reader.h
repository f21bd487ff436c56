#pragma once

#include <QObject>

namespace corvalen {

class AlertTones;
class Form1;
struct BrowserObject;

// Reads every completed load of the working pane while the watcher's tab is selected: shows the
// goods count and, during a watch, plays the tone of each criterion the page meets.
class GoodsListReader : public QObject {
public:
    GoodsListReader(Form1& form, AlertTones& tones);

    void documentComplete(const BrowserObject& object);

private:
    void countAlert(int count);
    void keywordAlert(int count, const QString& body);

    Form1& m_form;
    AlertTones& m_tones;
};

} // namespace corvalen
