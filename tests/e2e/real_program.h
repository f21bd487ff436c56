#pragma once

#include "app/corvalen.h"
#include "eventually.h"
#include "fakes.h"
#include "person_click.h"
#include "platform/webengine_components.h"
#include "platform/webengine_pane.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <set>

namespace corvalen::testing {

// The program's own player, with every address it was given written down, in order.
class RecordingPlayer : public MediaPlayer {
public:
    RecordingPlayer(QStringList& log, std::unique_ptr<MediaPlayer> player)
        : m_log(log)
        , m_player(std::move(player))
    {
    }
    void setURL(const QString& url) override
    {
        m_log << url;
        m_player->setURL(url);
    }
    QString URL() const override { return m_player->URL(); }

private:
    QStringList& m_log;
    std::unique_ptr<MediaPlayer> m_player;
};

// Where a test's browser store lives: a folder of its own, or where the program keeps it in the
// user's home.
enum class StoreIn { Temporary, Home };

// The real engine's panes; the real player, recorded.
class RecordingComponents : public ComponentFactory {
public:
    explicit RecordingComponents(DesktopShell& shell, StoreIn storeIn = StoreIn::Temporary)
        : m_lock(storeIn == StoreIn::Home ? browserStorageFolder() : m_store.path(),
            storeIn == StoreIn::Home ? browserCacheFolder() : QString())
        , m_engine(shell, m_lock)
    {
    }
    std::unique_ptr<BrowserPane> createPane(QWidget* parent, const QString& name) override
    {
        return m_engine.createPane(parent, name);
    }
    std::unique_ptr<MediaPlayer> createPlayer(QWidget* parent) override
    {
        auto made = std::make_unique<RecordingPlayer>(tones, m_engine.createPlayer(parent));
        player = made.get();
        return made;
    }

    QStringList tones;
    RecordingPlayer* player = nullptr;

private:
    QTemporaryDir m_store;
    BrowserStoreLock m_lock;
    WebEngineComponents m_engine;
};

// The whole program on the real engine and player; only the desktop shell and the message
// boxes are doubles, so that nothing leaves the machine and no box waits for a person.
class RealProgram {
public:
    explicit RealProgram(const Sites& sites, StoreIn storeIn = StoreIn::Temporary)
        : components(shell, storeIn)
        , program({ components, shell, dialogs }, sites)
    {
        program.start();
        Form1& main = *program.mainWindow();
        for (PaneControl* pane : { &main.WebBrowser1, &main.WebBrowser2, &main.WebBrowser5 })
            (*pane)->DocumentComplete.connect([this, pane](const BrowserObject&, const QString&) {
                m_firstPagesRead.insert(pane);
            });
    }

    // Ends the start-up without waiting out its six seconds: once the start page and the
    // advertisements have been read, the splash's six ticks come at once.
    bool finishStartUp()
    {
        if (!program.splash())
            return true;
        program.splash()->Timer1.setInterval(0);
        if (!waitUntil([this] { return m_firstPagesRead.size() == 3; }, 20000))
            return false;
        for (int tick = 0; tick < 6 && program.splash() && !program.splash()->isUnloading(); ++tick)
            program.splash()->Timer1.tick();
        return waitUntil([this] { return program.splash() == nullptr; }, 5000);
    }

    Form1& form() { return *program.mainWindow(); }
    QString title(PaneControl& pane) const
    {
        return pane->document() ? pane->document()->Title : QString();
    }
    static void click(Control& control) { clickAsAPerson(control); }

    // Chinese text arrives as an input method commits it.
    static void type(Control& control, const QString& text)
    {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(control.widget(), &commit);
    }

    FakeShell shell;
    ScriptedDialogs dialogs;
    RecordingComponents components;
    Corvalen program;

private:
    std::set<PaneControl*> m_firstPagesRead;
};

} // namespace corvalen::testing
