#pragma once

#include "control.h"
#include "event.h"

#include <vector>

class QRadioButton;

namespace corvalen {

class OptionButton;

// The option buttons of one container: selecting one clears the others.
class OptionGroup {
public:
    void add(OptionButton* option) { m_members.push_back(option); }
    void selectOnly(const OptionButton* selected);

private:
    std::vector<OptionButton*> m_members;
};

// An option button. A click by the user selects it and runs the click handlers; clearing it
// from code runs nothing.
class OptionButton : public Control {
public:
    OptionButton(QWidget* parent, OptionGroup& group);

    QString Caption() const;
    void setCaption(const QString& caption);

    bool Value() const { return m_value; }
    void setValue(bool selected);

    Event<> Click;

private:
    friend class OptionGroup;
    void show(bool selected);

    QRadioButton* m_radio;
    OptionGroup& m_group;
    bool m_value = false;
};

} // namespace corvalen
