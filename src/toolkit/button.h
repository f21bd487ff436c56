#pragma once

#include "colors.h"
#include "control.h"
#include "event.h"

#include <QPushButton>
#include <cstdint>

namespace corvalen {

enum class ButtonStyle { Standard, Graphical };

// The Qt widget of a button: a push button whose caption wraps inside its face (the tab buttons
// are a column of characters) and that reports every mouse move, not only presses.
class CaptionButton : public QPushButton {
    Q_OBJECT
public:
    explicit CaptionButton(QWidget* parent);
    std::function<void()> onMouseMove;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    QSize sizeHint() const override { return {}; }
};

class Button : public Control {
public:
    Button(QWidget* parent, ButtonStyle style);

    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);

    // Only a graphical button paints its back colour; a standard one keeps the face colour.
    std::uint32_t BackColor() const { return m_backColor; }
    void setBackColor(std::uint32_t color);
    ButtonStyle Style() const { return m_style; }

    Event<> Click;
    Event<> MouseMove;

private:
    CaptionButton* m_button;
    ButtonStyle m_style;
    QString m_caption;
    std::uint32_t m_backColor = Colors::ButtonFace;
};

} // namespace corvalen
