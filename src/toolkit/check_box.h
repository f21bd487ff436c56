#pragma once

#include "control.h"
#include "event.h"

class QCheckBox;

namespace corvalen {

// A check box with the value 0 or 1. Setting a different value from code runs the click
// handlers at once, nested inside the change, just as a click by the user does.
class CheckBox : public Control {
public:
    explicit CheckBox(QWidget* parent);

    QString Caption() const;
    void setCaption(const QString& caption);

    int Value() const { return m_value; }
    void setValue(int value);

    Event<> Click;

private:
    QCheckBox* m_box;
    int m_value = 0;
};

} // namespace corvalen
