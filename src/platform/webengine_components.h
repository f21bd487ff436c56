#pragma once

#include "app/components.h"

#include <QObject>

class QWebEngineProfile;

namespace corvalen {

class DesktopShell;

// The real components: Qt WebEngine panes that share one private profile (so that a pop-up can
// move from one pane into another) and Qt Multimedia players.
class WebEngineComponents : public QObject, public ComponentFactory {
    Q_OBJECT
public:
    explicit WebEngineComponents(DesktopShell& shell, QObject* parent = nullptr);
    ~WebEngineComponents() override;

    std::unique_ptr<BrowserPane> createPane(QWidget* parent, const QString& name) override;
    std::unique_ptr<MediaPlayer> createPlayer(QWidget* parent) override;

    QWebEngineProfile* profile() const { return m_profile; }

private:
    DesktopShell& m_shell;
    QWebEngineProfile* m_profile;
};

} // namespace corvalen
