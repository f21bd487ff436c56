#include "splash.h"

#include "forms/desktop_shell.h"
#include "forms/form1.h"
#include "forms/form3.h"
#include "release.h"
#include "sites/sites_paths.h"
#include "toolkit/dialogs.h"

#include <QPixmap>

namespace corvalen {

namespace {
// The title of the browser's own page for a page that could not be loaded.
} // namespace

Splash::Splash(Form3& form, std::function<Form1*()> loadMainWindow, const Sites& sites,
    DesktopShell& shell, Dialogs& dialogs)
    : QObject(&form)
    , m_form(form)
    , m_loadMainWindow(std::move(loadMainWindow))
    , m_sites(sites)
    , m_shell(shell)
    , m_dialogs(dialogs)
{
    form.Load.connect(this, [this] { load(); });
    form.Timer1.Tick.connect(this, [this] { tick(); });
}

void Splash::load()
{
    m_main = m_loadMainWindow();
    m_form.Picture1.setPicture(QPixmap(QStringLiteral(":/res/splash.png")));
    m_form.Timer1.setInterval(1000);
}

void Splash::tick()
{
    ++m_form.SplashTicks;
    m_form.Label1.setCaption(QString::number(m_form.SplashTicks));
    if (m_form.SplashTicks != 6)
        return;
    checkStartPage();
    m_form.unload();
}

void Splash::checkStartPage()
{
    if (!m_main)
        return;
    m_main->showInItsState();

    // A start page with no document yet has no title: the same as an empty one.
    const auto& document = m_main->WebBrowser2->document();
    const QString title = document ? document->Title : QString();
    if (title == releaseNumber())
        return;

    if (title.contains(noPageTitle())) {
        const int answer
            = m_dialogs.MsgBox(QString::fromUtf8("当前网络存在问题，将关闭软件，请检查网络连接！"),
                MsgBoxStyle::OkCancel, QString::fromUtf8("连接故障"));
        if (answer == MsgBoxResult::Ok && m_main)
            m_main->unload();
        return;
    }

    const int answer
        = m_dialogs.MsgBox(QString::fromUtf8("发现新版本了哦，更多方便功能，快到官网下载吧！"),
            MsgBoxStyle::OkCancel, QString::fromUtf8("更新提示"));
    if (answer == MsgBoxResult::Ok)
        m_shell.openUrl(MakerPages::downloadPage(m_sites));
}

} // namespace corvalen
