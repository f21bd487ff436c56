#pragma once

#include <QObject>

namespace corvalen {

class Dialogs;
class Form1;

// The search criteria: goods-count ranges, refresh intervals and two keywords. The panel keeps
// the count search and the keyword search apart, enables each group with its check box, keeps
// the preview of the chosen range usable, and shows a prompt in an empty keyword box.
class CriteriaPanel : public QObject {
public:
    CriteriaPanel(Form1& form, Dialogs& dialogs);

    void check1Click();
    void check3Click(int index);
    void check2Click();
    void option1Click(int index);
    void option2Click(int index);
    void text1GotFocus(int index);
    void text1LostFocus(int index);

private:
    void warnExclusive();

    Form1& m_form;
    Dialogs& m_dialogs;
};

} // namespace corvalen
