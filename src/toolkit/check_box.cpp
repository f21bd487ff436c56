#include "check_box.h"

#include <QCheckBox>
#include <QSignalBlocker>

namespace corvalen {

CheckBox::CheckBox(QWidget* parent)
    : Control(new QCheckBox(parent))
    , m_box(static_cast<QCheckBox*>(widget()))
{
    // clicked() comes from the mouse and the space bar only, never from setChecked().
    QObject::connect(m_box, &QCheckBox::clicked, m_box, [this](bool checked) {
        m_value = checked ? 1 : 0;
        Click.raise();
    });
}

QString CheckBox::Caption() const
{
    return m_box->text();
}

void CheckBox::setCaption(const QString& caption)
{
    m_box->setText(caption);
}

void CheckBox::setValue(int value)
{
    const int normalized = value ? 1 : 0;
    if (normalized == m_value)
        return;
    m_value = normalized;
    {
        const QSignalBlocker quiet(m_box);
        m_box->setChecked(normalized == 1);
    }
    Click.raise();
}

} // namespace corvalen
