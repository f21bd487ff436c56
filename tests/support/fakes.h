#pragma once

#include "forms/browser_pane.h"
#include "forms/components.h"
#include "forms/desktop_shell.h"
#include "forms/media_player.h"
#include "toolkit/dialogs.h"

#include <QStringList>
#include <QWidget>
#include <deque>
#include <functional>
#include <map>
#include <vector>

namespace corvalen::testing {

// A pane whose document a test sets and whose events a test raises.
class FakePane : public BrowserPane {
public:
    FakePane(QWidget* parent, const QString& name);

    QWidget* widget() override { return m_widget; }
    void Navigate2(const QString& url) override { navigations.push_back(url); }
    void Refresh() override { ++refreshes; }
    bool Silent() const override { return m_silent; }
    void setSilent(bool silent) override { m_silent = silent; }
    void setRunsWhileHidden(bool runs) override { runsWhileHidden = runs; }
    const std::optional<Document>& document() const override { return m_document; }
    BrowserObject Object() override { return { this, m_name }; }

    // Shows a page as a completed load would: download events, then the completed document.
    void completeLoad(const QString& title, std::optional<QString> body, const QString& url = {});
    void setDocument(std::optional<Document> document) { m_document = std::move(document); }
    QString lastNavigation() const { return navigations.empty() ? QString() : navigations.back(); }

    QStringList navigations;
    int refreshes = 0;
    bool runsWhileHidden = false;

private:
    QWidget* m_widget;
    QString m_name;
    bool m_silent = false;
    std::optional<Document> m_document;
};

class FakePlayer : public MediaPlayer {
public:
    void setURL(const QString& url) override { urls.push_back(url); }
    QString URL() const override { return urls.empty() ? QString() : urls.back(); }
    QStringList urls;
};

class FakeComponents : public ComponentFactory {
public:
    std::unique_ptr<BrowserPane> createPane(QWidget* parent, const QString& name) override;
    std::unique_ptr<MediaPlayer> createPlayer(QWidget* parent) override;

    // The last pane made with this name, and the last player made.
    FakePane& pane(const QString& name) { return *panes.at(name); }
    std::map<QString, FakePane*> panes;
    FakePlayer* player = nullptr;
};

class FakeShell : public DesktopShell {
public:
    bool startProgram(const QString& path, StartWindow window) override;
    bool openUrl(const QString& url) override;
    std::optional<QString> installedProgramFolder(const QString& executable) override;
    void askForAttention(QWidget*) override { ++attentionAsked; }

    std::optional<QString> folder;
    int attentionAsked = 0;
    bool startSucceeds = true;
    QStringList started;
    std::vector<StartWindow> startWindows;
    QStringList opened;
    QStringList foldersAskedFor;
};

struct ShownMessage {
    QString prompt;
    int style;
    QString title;
};

// Message boxes that answer from a script (OK when the script is empty) and record every box.
class ScriptedDialogs : public Dialogs {
public:
    int MsgBox(const QString& prompt, int style, const QString& title) override;

    std::deque<int> answers;
    std::vector<ShownMessage> shown;
    // Runs while a box is open, as events that arrive during a modal box would.
    std::function<void()> whileOpen;
};

} // namespace corvalen::testing
