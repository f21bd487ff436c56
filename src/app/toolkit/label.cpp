#include "label.h"

#include <QLabel>

namespace corvalen {

Label::Label(QWidget* parent)
    : Control(new QLabel(parent))
    , m_label(static_cast<QLabel*>(widget()))
{
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label->setTextFormat(Qt::PlainText);
}

QString Label::Caption() const
{
    return m_label->text();
}

void Label::setCaption(const QString& caption)
{
    m_label->setText(caption);
}

void Label::setCentered(bool centered)
{
    m_label->setAlignment(
        centered ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
}

} // namespace corvalen
