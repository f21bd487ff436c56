#include "criteria_panel.h"

#include "forms/captions.h"
#include "forms/form1.h"
#include "toolkit/dialogs.h"

namespace corvalen {

namespace {
}

CriteriaPanel::CriteriaPanel(Form1& form, Dialogs& dialogs)
    : QObject(&form)
    , m_form(form)
    , m_dialogs(dialogs)
{
    form.Check1.Click.connect(this, [this] { check1Click(); });
    form.Check2.Click.connect(this, [this] { check2Click(); });
    form.Check3.connect(&CheckBox::Click, this, [this](int k) { check3Click(k); });
    form.Option1.connect(&OptionButton::Click, this, [this](int k) { option1Click(k); });
    form.Option2.connect(&OptionButton::Click, this, [this](int k) { option2Click(k); });
    form.Text1.connect(&TextBox::GotFocus, this, [this](int k) { text1GotFocus(k); });
    form.Text1.connect(&TextBox::LostFocus, this, [this](int k) { text1LostFocus(k); });
}

// Every test reads the control as it is at that moment: a nested click may have changed it.
void CriteriaPanel::check1Click()
{
    Form1& f = m_form;
    if (f.Check1.Value() == 1) {
        for (int k = 0; k <= 1; ++k) {
            if (f.Check3(k).Value() == 1) {
                warnExclusive();
                f.Check3(k).setValue(0);
            }
        }
    }
    if (f.Check1.Value() == 1) {
        for (int k = 0; k <= 3; ++k)
            f.Option1(k).setEnabled(true);
        return;
    }
    for (int k = 0; k <= 3; ++k) {
        f.Option1(k).setValue(false);
        f.Option1(k).setEnabled(false);
        f.Command2(k).setEnabled(false);
    }
}

void CriteriaPanel::check3Click(int index)
{
    Form1& f = m_form;
    for (int k = 0; k <= 1; ++k) {
        if (f.Check3(k).Value() == 1 && f.Check1.Value() == 1) {
            warnExclusive();
            f.Check1.setValue(0);
        }
    }
    const bool ticked = f.Check3(index).Value() == 1;
    f.Text1(index).setEnabled(ticked);
    f.Command3(index).setEnabled(ticked);
    f.Text1(index).setForeColor(ticked ? Colors::AppWorkspace : Colors::ButtonFace);
}

void CriteriaPanel::check2Click()
{
    Form1& f = m_form;
    if (f.Check2.Value() == 1) {
        for (int k = 0; k <= 3; ++k)
            f.Option2(k).setEnabled(true);
        return;
    }
    for (int k = 0; k <= 3; ++k) {
        f.Option2(k).setEnabled(false);
        f.Option2(k).setValue(false);
    }
}

void CriteriaPanel::option1Click(int index)
{
    m_form.Command2(index).setEnabled(true);
    for (int i = 0; i < m_form.Command2.Count(); ++i) {
        if (i != index)
            m_form.Command2(i).setEnabled(false);
    }
}

void CriteriaPanel::option2Click(int index)
{
    // "60秒/次" means sixty seconds, here as when a watch starts.
    m_form.state.RefreshTicks = kRefreshTicksOfOption[index];
}

void CriteriaPanel::text1GotFocus(int index)
{
    m_form.Text1(index).setText(QString());
    m_form.Text1(index).setForeColor(Colors::Black);
}

void CriteriaPanel::text1LostFocus(int index)
{
    if (!m_form.Text1(index).Text().isEmpty())
        return;
    m_form.Text1(index).setText(keywordPrompt());
    m_form.Text1(index).setForeColor(Colors::ButtonShadow);
}

void CriteriaPanel::warnExclusive()
{
    m_dialogs.MsgBox(QString::fromUtf8("搜索数量和关键词搜索设定不能同时选择，请选择其中之一！"),
        MsgBoxStyle::OkOnly, QString::fromUtf8("重复选择提示"));
}

} // namespace corvalen
