#include "corvalen.h"

#include "ads/ad_panel.h"
#include "browse/page_tabs.h"
#include "browse/pane_behaviours.h"
#include "browse/step_guide.h"
#include "criteria/criteria_panel.h"
#include "forms/form1.h"
#include "forms/form3.h"
#include "watcher/alert_tones.h"
#include "watcher/goods_list_reader.h"
#include "watcher/watch_cycle.h"
#include "windows/instructions.h"
#include "windows/main_window_layout.h"
#include "windows/main_window_load.h"
#include "windows/splash.h"

namespace corvalen {

Corvalen::Corvalen(Platform platform, Sites sites)
    : m_platform(platform)
    , m_sites(std::move(sites))
{
}

// Every window the program opened goes with it, the instructions window too.
Corvalen::~Corvalen()
{
    for (const QPointer<Form>& window : m_windows)
        delete window.data();
}

void Corvalen::start()
{
    auto* splash = new Form3;
    m_splash = splash;
    track(*splash);
    new Splash(
        *splash, [this] { return loadMainWindow(); }, m_sites, m_platform.shell,
        m_platform.dialogs);
    splash->centreOnScreen();
    splash->load();
    splash->show();
}

Form1* Corvalen::loadMainWindow()
{
    if (m_main)
        return m_main;
    auto* form = new Form1(m_platform.components, m_sites.contactQq);
    m_main = form;
    track(*form);
    // Each subsystem attaches its handlers to the window and is its child: it goes with it.
    new PaneBehaviours(*form);
    new MainWindowLoad(*form, m_sites);
    new PageTabs(*form, m_sites);
    new StepGuide(*form, m_sites, m_platform.shell, m_platform.dialogs);
    auto* tones = new AlertTones(*form, m_sites.toneHost, m_platform.shell);
    new GoodsListReader(*form, *tones);
    new WatchCycle(*form, m_platform.dialogs);
    new CriteriaPanel(*form, m_platform.dialogs);
    new MainWindowLayout(*form);
    new Instructions(
        *form, m_platform.components, m_sites, [this](Form& window) { track(window); });
    new AdPanel(*form, m_sites);
    form->load();
    return form;
}

void Corvalen::track(Form& form)
{
    ++m_openForms;
    m_windows.emplace_back(&form);
    connect(&form, &Form::unloaded, this, &Corvalen::forget);
}

void Corvalen::forget()
{
    if (--m_openForms == 0)
        emit lastWindowGone();
}

} // namespace corvalen
