#pragma once

#include "forms/browser_pane.h"
#include "platform/crash_budget.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>

class QWebEngineLoadingInfo;
class QWebEngineProfile;
class QWebEngineView;

namespace corvalen {

class DesktopShell;
class SilentPage;

// A browser pane on Qt WebEngine. Each completed load is read once (title and body) and only
// then reported, so a handler never sees a document of an earlier load. A failed load shows a
// small page of our own whose title says that there is no page to display.
class WebEnginePane : public QObject, public BrowserPane {
    Q_OBJECT
public:
    // A pane that `discardsHidden` gives its page's memory back while its window hides it.
    WebEnginePane(QWebEngineProfile* profile, QWidget* parent, const QString& name,
        DesktopShell& shell, bool discardsHidden);
    ~WebEnginePane() override;

    QWidget* widget() override;
    void Navigate2(const QString& url) override;
    void Refresh() override;
    bool Silent() const override;
    void setSilent(bool silent) override;
    void setRunsWhileHidden(bool runs) override { m_runsWhileHidden = runs; }
    const std::optional<Document>& document() const override { return m_document; }
    BrowserObject Object() override { return { this, m_name }; }

    QWebEnginePage* page() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void considerDiscarding();
    void discardIfUnseen();
    void load(const QUrl& address);
    void loadAfterComingBack();
    void onLifecycleStateChanged(QWebEnginePage::LifecycleState state);
    void onLoadingChanged(const QWebEngineLoadingInfo& info);
    void onLoadSucceeded(const QUrl& url);
    void onLoadFailed(const QWebEngineLoadingInfo& info);
    void readDocument(const QUrl& url);
    void acceptDocument(const QVariant& result, const QUrl& url);
    void showErrorPage(const QUrl& failed);
    void recoverFromCrash();
    QWebEnginePage* pageForNewWindow();

    QPointer<QWebEngineView> m_view;
    SilentPage* m_page;
    QString m_name;
    DesktopShell& m_shell;
    std::optional<Document> m_document;
    quint64 m_loadSerial = 0;
    QUrl m_lastUrl;
    std::optional<QUrl> m_failedUrl;
    bool m_loading = false;
    int m_readsUnderway = 0;
    bool m_discardsHidden;
    bool m_runsWhileHidden = false;
    QTimer m_discardTimer;
    bool m_discarded = false;
    bool m_comingBack = false;
    std::optional<QUrl> m_loadAfterComingBack;
    CrashBudget m_crashBudget;
};

} // namespace corvalen
