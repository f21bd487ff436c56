#include "option_button.h"

#include <QRadioButton>
#include <QSignalBlocker>

namespace corvalen {

void OptionGroup::selectOnly(const OptionButton* selected)
{
    for (OptionButton* member : m_members)
        member->show(member == selected);
}

OptionButton::OptionButton(QWidget* parent, OptionGroup& group)
    : Control(new QRadioButton(parent))
    , m_radio(static_cast<QRadioButton*>(widget()))
    , m_group(group)
{
    // The group is kept here, not by Qt, so that code can clear every option of a group.
    m_radio->setAutoExclusive(false);
    m_group.add(this);
    QObject::connect(m_radio, &QRadioButton::clicked, m_radio, [this] {
        m_group.selectOnly(this);
        Click.raise();
    });
}

QString OptionButton::Caption() const
{
    return m_radio->text();
}

void OptionButton::setCaption(const QString& caption)
{
    m_radio->setText(caption);
}

void OptionButton::setValue(bool selected)
{
    if (selected)
        m_group.selectOnly(this);
    else
        show(false);
}

void OptionButton::show(bool selected)
{
    m_value = selected;
    const QSignalBlocker quiet(m_radio);
    m_radio->setChecked(selected);
}

} // namespace corvalen
