#pragma once

#include "font_face.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace corvalen {

constexpr float kTwipsPerPixel = 15.0f;

int twipsToPixels(float twips);

// One control of a window: it keeps its properties exactly as they were set (geometry in
// single-precision twips relative to its container, visibility, enabled state, tab index, tool
// tip) and pushes them to the Qt widget that shows it. Reading a property gives back what was set,
// not what Qt made of it.
class Control {
public:
    // The control owns its widget: the widget goes with it, so nothing the widget reports can
    // reach a control that is gone.
    explicit Control(QWidget* widget);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    QWidget* widget() const { return m_widget; }

    float Left() const { return m_left; }
    float Top() const { return m_top; }
    float Width() const { return m_width; }
    float Height() const { return m_height; }
    void setLeft(float twips);
    void setTop(float twips);
    void setWidth(float twips);
    void setHeight(float twips);
    void move(float left, float top, float width, float height);

    bool Visible() const { return m_visible; }
    void setVisible(bool visible);
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    int TabIndex() const { return m_tabIndex; }
    void setTabIndex(int index) { m_tabIndex = index; }

    QString ToolTipText() const { return m_toolTip; }
    void setToolTipText(const QString& text);

    void setFont(const FontFace& font);

private:
    void pushGeometry();

    QPointer<QWidget> m_widget;
    float m_left = 0;
    float m_top = 0;
    float m_width = 0;
    float m_height = 0;
    bool m_visible = true;
    bool m_enabled = true;
    int m_tabIndex = 0;
    QString m_toolTip;
};

} // namespace corvalen
