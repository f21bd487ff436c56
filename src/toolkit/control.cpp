#include "control.h"

#include <algorithm>
#include <cmath>

namespace corvalen {

int twipsToPixels(float twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

Control::Control(QWidget* widget)
    : m_widget(widget)
{
}

Control::~Control()
{
    if (m_widget) {
        m_widget->blockSignals(true);
        delete m_widget.data();
    }
}

void Control::setLeft(float twips)
{
    m_left = twips;
    pushGeometry();
}

void Control::setTop(float twips)
{
    m_top = twips;
    pushGeometry();
}

void Control::setWidth(float twips)
{
    m_width = twips;
    pushGeometry();
}

void Control::setHeight(float twips)
{
    m_height = twips;
    pushGeometry();
}

void Control::move(float left, float top, float width, float height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    pushGeometry();
}

void Control::setVisible(bool visible)
{
    m_visible = visible;
    if (m_widget)
        m_widget->setVisible(visible);
}

void Control::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (m_widget)
        m_widget->setEnabled(enabled);
}

void Control::setToolTipText(const QString& text)
{
    m_toolTip = text;
    if (m_widget)
        m_widget->setToolTip(text);
}

void Control::setFont(const FontFace& font)
{
    if (m_widget)
        m_widget->setFont(toQFont(font));
}

void Control::pushGeometry()
{
    if (!m_widget)
        return;
    // A negative size is valid for the property but shows as nothing.
    m_widget->setGeometry(twipsToPixels(m_left), twipsToPixels(m_top),
        std::max(0, twipsToPixels(m_width)), std::max(0, twipsToPixels(m_height)));
}

} // namespace corvalen
