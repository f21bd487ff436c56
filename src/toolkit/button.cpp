#include "button.h"

#include "fitted_text.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace corvalen {

CaptionButton::CaptionButton(QWidget* parent)
    : QPushButton(parent)
{
    setMouseTracking(true);
    setAutoDefault(false);
}

void CaptionButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const int shift = isDown() ? 1 : 0;
    const QRect textRect = rect().adjusted(2 + shift, 2 + shift, -2 + shift, -2 + shift);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    drawFittedText(painter, textRect, text(), font(), Qt::AlignCenter);
}

void CaptionButton::mouseMoveEvent(QMouseEvent* event)
{
    if (onMouseMove)
        onMouseMove();
    QPushButton::mouseMoveEvent(event);
}

Button::Button(QWidget* parent, ButtonStyle style)
    : Control(new CaptionButton(parent))
    , m_button(static_cast<CaptionButton*>(widget()))
    , m_style(style)
{
    QObject::connect(m_button, &QPushButton::clicked, m_button, [this] { Click.raise(); });
    m_button->onMouseMove = [this] { MouseMove.raise(); };
    setBackColor(m_backColor);
}

void Button::setCaption(const QString& caption)
{
    m_caption = caption;
    m_button->setText(caption);
}

void Button::setBackColor(std::uint32_t color)
{
    m_backColor = color;
    if (m_style != ButtonStyle::Graphical)
        return;
    QPalette palette = m_button->palette();
    palette.setColor(QPalette::Button, toQColor(color));
    m_button->setPalette(palette);
    m_button->update();
}

} // namespace corvalen
