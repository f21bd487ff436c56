#pragma once

#include "event.h"

#include <QPointer>
#include <QWidget>
#include <initializer_list>
#include <optional>
#include <vector>

namespace corvalen {

class Control;

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// A window. It is created hidden; load() runs its load handlers once; unload() hides it, runs
// the unload handlers and discards it with everything it holds once the current event is over.
// Sizes are in twips, 15 to a pixel.
class Form : public QWidget {
    Q_OBJECT
public:
    Form(float clientWidth, float clientHeight, Qt::WindowFlags flags = {});

    QString Caption() const { return windowTitle(); }
    void setCaption(const QString& caption) { setWindowTitle(caption); }

    float ScaleWidth() const;
    float ScaleHeight() const;
    float ScaleLeft() const { return 0; }
    float ScaleTop() const { return 0; }

    WindowState windowStateValue() const;
    void setWindowStateValue(WindowState state);

    // The width of the screen the window is on, in twips. Tests set it to try other screens.
    float screenWidthTwips() const;
    void setScreenWidthOverride(std::optional<float> twips) { m_screenWidth = twips; }

    // Places the window in the middle of the primary screen's free area.
    void centreOnScreen();

    // Shows the window in the state it was given while hidden (maximized, say).
    void showInItsState();

    void load();
    bool isLoaded() const { return m_loaded; }
    void unload();
    bool isUnloading() const { return m_unloading; }

    // The stacking order of the controls of one container, front first.
    static void stackFrontToBack(std::initializer_list<Control*> controls);
    // The order the Tab key visits the controls: by their tab index. It holds for as long as the
    // window lives, also for a control whose widget hands its focus to an inner widget made later
    // (a browser pane's page).
    void orderTabs(std::initializer_list<Control*> controls);

    Event<> Load;
    Event<> Resize;
    Event<> Unload;

signals:
    void unloaded();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyTabOrder();

    std::vector<QPointer<QWidget>> m_tabOrder;
    bool m_tabOrderPending = false;
    std::optional<float> m_screenWidth;
    bool m_loaded = false;
    bool m_unloading = false;
};

} // namespace corvalen
