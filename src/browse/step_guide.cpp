#include "step_guide.h"

#include "browse/shop_pages.h"
#include "forms/desktop_shell.h"
#include "forms/form1.h"
#include "toolkit/button_marker.h"
#include "toolkit/dialogs.h"

#include <QUrl>

namespace corvalen {

namespace {
const char* const kMessenger = "aliim.exe";
const char* const kHideTip = "隐藏淘金币领取步骤技巧";
const char* const kShowTip = "显示淘金币领取步骤技巧";

// The guide page's title is untrusted: only a plain web address may be opened from it.
bool isWebAddress(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty()
        && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}
} // namespace

StepGuide::StepGuide(Form1& form, const Sites& sites, DesktopShell& shell, Dialogs& dialogs)
    : QObject(&form)
    , m_form(form)
    , m_sites(sites)
    , m_shell(shell)
    , m_dialogs(dialogs)
{
    form.Command4.connect(&Button::Click, this, [this](int i) { command4Click(i); });
    form.Command7.Click.connect(this, [this] { command7Click(); });
}

void StepGuide::command4Click(int index)
{
    markOnly(m_form.Command4, index, Colors::Marker);
    switch (index) {
    case 0:
        return startMessenger();
    case 3:
        return m_form.WebBrowser6->Navigate2(ShopPages::favouriteShops(m_sites));
    case 4:
        return openTodaysShop();
    }
}

void StepGuide::startMessenger()
{
    // The folder may hold blanks ("Program Files"): the program is started by its path, never
    // through a command line that something splits.
    const auto folder = m_shell.installedProgramFolder(QString::fromLatin1(kMessenger));
    if (!folder
        || !m_shell.startProgram(*folder + QStringLiteral("\\") + QString::fromLatin1(kMessenger),
            StartWindow::Minimized))
        notice("没有找到阿里旺旺，请先安装阿里旺旺。");
}

void StepGuide::openTodaysShop()
{
    const auto& document = m_form.WebBrowser4->document();
    const QString title = document ? document->Title : QString();
    if (!isWebAddress(title)) {
        notice("还没有读到今天的店铺地址，请稍后再试。");
        return;
    }
    m_form.WebBrowser6->Navigate2(title);
}

void StepGuide::command7Click()
{
    Form1& f = m_form;
    if (f.Command7.Caption() == QStringLiteral("<")) {
        f.WebBrowser4.setVisible(false);
        f.Command7.setLeft(380);
        f.Command7.setCaption(QStringLiteral(">"));
        f.Command7.setToolTipText(QString::fromUtf8(kShowTip));
        return;
    }
    f.WebBrowser4.setVisible(true);
    f.WebBrowser4.setLeft(380);
    f.Command7.setLeft(f.WebBrowser4.Width() + f.WebBrowser4.Left() - 490.0f);
    f.Command7.setCaption(QStringLiteral("<"));
    f.Command7.setToolTipText(QString::fromUtf8(kHideTip));
}

void StepGuide::notice(const char* text)
{
    m_dialogs.MsgBox(QString::fromUtf8(text), MsgBoxStyle::OkOnly, QString::fromUtf8("提示"));
}

} // namespace corvalen
