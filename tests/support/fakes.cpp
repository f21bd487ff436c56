#include "fakes.h"

namespace corvalen::testing {

FakePane::FakePane(QWidget* parent, const QString& name)
    : m_widget(new QWidget(parent))
    , m_name(name)
{
}

void FakePane::completeLoad(const QString& title, std::optional<QString> body, const QString& url)
{
    DownloadBegin.raise();
    DownloadComplete.raise();
    m_document = Document { title, std::move(body) };
    DocumentComplete.raise(Object(), url);
}

std::unique_ptr<BrowserPane> FakeComponents::createPane(QWidget* parent, const QString& name)
{
    auto pane = std::make_unique<FakePane>(parent, name);
    panes[name] = pane.get();
    return pane;
}

std::unique_ptr<MediaPlayer> FakeComponents::createPlayer(QWidget*)
{
    auto made = std::make_unique<FakePlayer>();
    player = made.get();
    return made;
}

bool FakeShell::startProgram(const QString& path, StartWindow window)
{
    started.push_back(path);
    startWindows.push_back(window);
    return startSucceeds;
}

bool FakeShell::openUrl(const QString& url)
{
    opened.push_back(url);
    return true;
}

std::optional<QString> FakeShell::installedProgramFolder(const QString& executable)
{
    foldersAskedFor.push_back(executable);
    return folder;
}

int ScriptedDialogs::MsgBox(const QString& prompt, int style, const QString& title)
{
    shown.push_back({ prompt, style, title });
    if (whileOpen)
        whileOpen();
    if (answers.empty())
        return MsgBoxResult::Ok;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace corvalen::testing
