#pragma once

#include "forms/components.h"
#include "platform/browser_store.h"
#include "platform/heap_trimmer.h"

#include <QObject>

namespace corvalen {

class DesktopShell;

// How the real components run; the footprint benchmark compares the choices.
struct ComponentOptions {
    // Hidden panes give their pages' memory back.
    bool givesBackHiddenPages = true;
    // The program gives the heap it has freed back to the system.
    bool trimsHeap = true;
};

// The real components: Qt WebEngine panes that share one profile (so that a pop-up can move from
// one pane into another, and one sign-in serves every pane) and tone players on Qt Multimedia.
class WebEngineComponents : public QObject, public ComponentFactory {
    Q_OBJECT
public:
    WebEngineComponents(DesktopShell& shell, const BrowserStoreLock& store,
        ComponentOptions options = {}, QObject* parent = nullptr);
    ~WebEngineComponents() override;

    std::unique_ptr<BrowserPane> createPane(QWidget* parent, const QString& name) override;
    std::unique_ptr<MediaPlayer> createPlayer(QWidget* parent) override;

    // False for a copy of the program started while another one uses the same store.
    bool keepsSignIn() const { return m_store.lasting(); }
    const HeapTrimmer& heapTrimmer() const { return m_trimmer; }

private:
    DesktopShell& m_shell;
    BrowserStore m_store;
    ComponentOptions m_options;
    HeapTrimmer m_trimmer;
};

} // namespace corvalen
