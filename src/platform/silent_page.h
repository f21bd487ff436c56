#pragma once

#include <QWebEnginePage>
#include <functional>

namespace corvalen {

// The page of a pane: policy only. While silent it opens no dialog of any kind; new-window
// requests go to whoever the pane names; it goes nowhere outside the navigation policy but to
// the pane's own error page.
class SilentPage : public QWebEnginePage {
    Q_OBJECT
public:
    SilentPage(QWebEngineProfile* profile, QObject* parent);

    bool silent = false;
    std::function<QWebEnginePage*(WebWindowType)> onCreateWindow;

    // Shows a page of the program's own, written inline.
    void showOwnPage(const QString& html);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;
    void javaScriptAlert(const QUrl& origin, const QString& message) override;
    bool javaScriptConfirm(const QUrl& origin, const QString& message) override;
    bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& defaultValue,
        QString* result) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList& oldFiles,
        const QStringList& acceptedMimeTypes) override;

private:
    bool m_ownPageExpected = false;
};

} // namespace corvalen
