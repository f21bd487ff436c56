#include "form.h"

#include "control.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace corvalen {

Form::Form(float clientWidth, float clientHeight, Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
{
    resize(twipsToPixels(clientWidth), twipsToPixels(clientHeight));
}

float Form::ScaleWidth() const
{
    return static_cast<float>(width()) * kTwipsPerPixel;
}

float Form::ScaleHeight() const
{
    return static_cast<float>(height()) * kTwipsPerPixel;
}

WindowState Form::windowStateValue() const
{
    const Qt::WindowStates states = windowState();
    if (states & Qt::WindowMinimized)
        return WindowState::Minimized;
    if (states & Qt::WindowMaximized)
        return WindowState::Maximized;
    return WindowState::Normal;
}

void Form::setWindowStateValue(WindowState state)
{
    switch (state) {
    case WindowState::Minimized:
        setWindowState(Qt::WindowMinimized);
        break;
    case WindowState::Maximized:
        setWindowState(Qt::WindowMaximized);
        break;
    case WindowState::Normal:
        setWindowState(Qt::WindowNoState);
        break;
    }
}

float Form::screenWidthTwips() const
{
    if (m_screenWidth)
        return *m_screenWidth;
    const QScreen* shown = screen();
    return shown ? static_cast<float>(shown->geometry().width()) * kTwipsPerPixel : 0.0f;
}

void Form::centreOnScreen()
{
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return;
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(primary->availableGeometry().center());
    move(frame.topLeft());
}

void Form::showInItsState()
{
    const Qt::WindowStates wanted = windowState();
    show();
    // Under X11 a window whose browser panes made it native before it was shown can lose its
    // maximized state on the way to the window manager; asking again once it is mapped brings it
    // back. Elsewhere that would show the window restored, then maximized.
    if ((wanted & Qt::WindowMaximized) && QGuiApplication::platformName() == QLatin1String("xcb")) {
        setWindowState(Qt::WindowNoState);
        setWindowState(wanted);
    }
}

void Form::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    Load.raise();
}

void Form::unload()
{
    if (m_unloading)
        return;
    m_unloading = true;
    hide();
    Unload.raise();
    emit unloaded();
    deleteLater();
}

void Form::stackFrontToBack(std::initializer_list<Control*> controls)
{
    std::vector<Control*> ordered(controls);
    std::for_each(ordered.rbegin(), ordered.rend(), [](Control* control) {
        if (control->widget())
            control->widget()->raise();
    });
}

void Form::orderTabs(std::initializer_list<Control*> controls)
{
    std::vector<Control*> ordered(controls);
    std::stable_sort(ordered.begin(), ordered.end(),
        [](const Control* a, const Control* b) { return a->TabIndex() < b->TabIndex(); });
    m_tabOrder.clear();
    for (Control* control : ordered) {
        m_tabOrder.emplace_back(control->widget());
        control->widget()->installEventFilter(this);
    }
    applyTabOrder();
}

void Form::applyTabOrder()
{
    m_tabOrderPending = false;
    for (std::size_t i = 1; i < m_tabOrder.size(); ++i) {
        if (m_tabOrder[i - 1] && m_tabOrder[i])
            QWidget::setTabOrder(m_tabOrder[i - 1], m_tabOrder[i]);
    }
}

// A widget that gains an inner widget (its focus proxy, say) moves in the focus chain: put it
// back in its place once the inner widget is set up.
bool Form::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ChildAdded && !m_tabOrderPending) {
        m_tabOrderPending = true;
        QTimer::singleShot(0, this, &Form::applyTabOrder);
    }
    return QWidget::eventFilter(watched, event);
}

// A hidden window is laid out when it is shown, not before: until then its controls keep the
// places they were designed with.
void Form::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (isVisible())
        Resize.raise();
}

void Form::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isVisible())
        Resize.raise();
}

void Form::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        Resize.raise();
}

void Form::closeEvent(QCloseEvent* event)
{
    event->accept();
    unload();
}

} // namespace corvalen
