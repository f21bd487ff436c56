#pragma once

#include <QWebEnginePage>
#include <functional>

namespace corvalen {

// The page of a pane: policy only. While silent it opens no dialog of any kind; new-window
// requests go to whoever the pane names; it goes only where the pane's navigation rule allows,
// and nowhere outside the navigation policy when the pane names no rule.
class SilentPage : public QWebEnginePage {
    Q_OBJECT
public:
    SilentPage(QWebEngineProfile* profile, QObject* parent);

    bool silent = false;
    std::function<QWebEnginePage*(WebWindowType)> onCreateWindow;
    std::function<bool(const QUrl& url, bool isMainFrame)> mayNavigate;

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;
    void javaScriptAlert(const QUrl& origin, const QString& message) override;
    bool javaScriptConfirm(const QUrl& origin, const QString& message) override;
    bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& defaultValue,
        QString* result) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList& oldFiles,
        const QStringList& acceptedMimeTypes) override;
};

} // namespace corvalen
