#include "watch_cycle.h"

#include "forms/control_states.h"
#include "forms/form1.h"
#include "toolkit/dialogs.h"

namespace corvalen {

namespace {
constexpr int kRangeLow[] = { 1, 6, 11, 21 };
constexpr std::int16_t kRangeHigh[] = { 5, 10, 20, 280 };
} // namespace

WatchCycle::WatchCycle(Form1& form, Dialogs& dialogs)
    : QObject(&form)
    , m_form(form)
    , m_dialogs(dialogs)
{
    // A watch refreshes and reads the working pane whether it is shown or not.
    form.WebBrowser6->setRunsWhileHidden(true);
    form.Command6.Click.connect(this, [this] { command6Click(); });
    form.Timer1.Tick.connect(this, [this] { timer1Tick(); });
}

void WatchCycle::command6Click()
{
    // A running watch can always be stopped, chosen interval or not: otherwise the user could
    // not silence its alerts.
    if (isWatchRunning(m_form)) {
        stop();
        return;
    }
    if (!intervalChosen()) {
        m_dialogs.MsgBox(QString::fromUtf8("您没选刷新时间，我们不好安排工作呀！"),
            MsgBoxStyle::OkOnly, QString::fromUtf8("提示"));
        return;
    }
    start();
}

bool WatchCycle::intervalChosen() const
{
    for (int k = 0; k <= 3; ++k) {
        if (m_form.Option2(k).Value())
            return true;
    }
    return false;
}

void WatchCycle::start()
{
    Form1& f = m_form;
    WatchState& s = f.state;
    f.Command6.setCaption(stopWatchCaption());
    f.Command6.setBackColor(Colors::AppWorkspace);
    if (f.Check3(0).Value() == 1 && f.Text1(0).ForeColor() == Colors::Black)
        s.Keyword1 = f.Text1(0).Text();
    if (f.Check3(1).Value() == 1 && f.Text1(1).ForeColor() == Colors::Black)
        s.Keyword2 = f.Text1(1).Text();
    for (int k = 0; k <= 3; ++k) {
        if (f.Option1(k).Value()) {
            s.RangeLow = kRangeLow[k];
            s.RangeHigh = kRangeHigh[k];
        }
    }
    for (int k = 0; k <= 3; ++k) {
        if (f.Option2(k).Value())
            s.RefreshTicks = kRefreshTicksOfOption[k];
    }
    f.Timer1.setInterval(1000);
}

void WatchCycle::stop()
{
    Form1& f = m_form;
    WatchState& s = f.state;
    f.Command6.setCaption(startWatchCaption());
    f.Command6.setBackColor(Colors::Red);
    s.Keyword1.clear();
    s.Keyword2.clear();
    s.RangeLow = 0;
    s.RangeHigh = 0;
    s.RefreshTicks = 0;
    s.ScanText.clear();
    s.TickCount = 0;
    f.Timer1.setInterval(0);
}

void WatchCycle::timer1Tick()
{
    WatchState& s = m_form.state;
    ++s.TickCount;
    // At or past the interval: a shorter interval chosen during the watch takes effect at once
    // instead of never being reached.
    if (s.RefreshTicks > 0 && s.TickCount >= s.RefreshTicks) {
        s.TickCount = 0;
        m_form.WebBrowser6->Refresh();
    }
}

} // namespace corvalen
