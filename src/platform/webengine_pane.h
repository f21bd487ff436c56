#pragma once

#include "forms/browser_pane.h"
#include "platform_rules/pane_lifecycle.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWebEnginePage>
#include <map>

class QWebEngineLoadingInfo;
class QWebEngineProfile;
class QWebEngineView;

namespace corvalen {

class DesktopShell;
class HeapTrimmer;
class SilentPage;

// A browser pane on Qt WebEngine: the engine's events go to the pane's lifecycle, which decides
// what each means; this class only carries its decisions out on the page.
class WebEnginePane : public QObject, public BrowserPane, private PaneEngine, private PaneReports {
    Q_OBJECT
public:
    // A pane that `givesBackHidden` gives its page's memory back while its window hides it.
    // A pane given a `trimmer` asks it to give the program's freed heap back once the pane has
    // given its page back, and a few seconds after it was hidden or shown by a tab.
    WebEnginePane(QWebEngineProfile* profile, QWidget* parent, const QString& name,
        DesktopShell& shell, bool givesBackHidden, HeapTrimmer* trimmer = nullptr);
    ~WebEnginePane() override;

    QWidget* widget() override;
    void Navigate2(const QString& url) override;
    void Refresh() override;
    bool Silent() const override;
    void setSilent(bool silent) override;
    void setRunsWhileHidden(bool runs) override { m_lifecycle.setRunsWhileHidden(runs); }
    const std::optional<Document>& document() const override { return m_lifecycle.document(); }
    BrowserObject Object() override { return { this, m_name }; }

    QWebEnginePage* page() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onLoadingChanged(const QWebEngineLoadingInfo& info);
    QWebEnginePage* pageForNewWindow();
    void allowScriptPopUpsWhenHandled();

    // What the lifecycle has the engine do.
    void load(const QUrl& url) override;
    void reload() override;
    void readDocument(quint64 load, const QString& reported) override;
    void probe() override;
    void endRenderer() override;
    void freeze() override;
    void wake() override;
    void discard() override;
    void fence(quint64 load) override;
    PageKeeping recommended() const override;
    QUrl shownUrl() const override;
    bool rendererLives() const override;
    qint64 elapsedMs() const override { return m_clock.elapsed(); }
    void armTimer(PaneTimer timer, int ms) override;
    void disarmTimer(PaneTimer timer) override;

    // What the lifecycle tells the program.
    void downloadBegin() override { DownloadBegin.raise(); }
    void downloadComplete() override { DownloadComplete.raise(); }
    void documentComplete(const QString& url) override { DocumentComplete.raise(Object(), url); }

    QPointer<QWebEngineView> m_view;
    SilentPage* m_page;
    QString m_name;
    DesktopShell& m_shell;
    PaneLifecycle m_lifecycle;
    QPointer<HeapTrimmer> m_trimmer;
    QElapsedTimer m_clock;
    std::map<PaneTimer, QTimer> m_timers;
};

} // namespace corvalen
