#include "picture_box.h"

#include <QLabel>

namespace corvalen {

PictureBox::PictureBox(QWidget* parent)
    : Control(new QLabel(parent))
    , m_label(static_cast<QLabel*>(widget()))
{
    m_label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureBox::setPicture(const QPixmap& picture)
{
    m_label->setPixmap(picture);
}

bool PictureBox::hasPicture() const
{
    return !m_label->pixmap().isNull();
}

} // namespace corvalen
