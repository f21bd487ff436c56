#pragma once

#include "toolkit/control.h"

#include <QTest>

namespace corvalen::testing {

// A click where a person would click: near the left end, on a check box's or option's mark.
inline void clickAsAPerson(Control& control)
{
    QWidget* widget = control.widget();
    QTest::mouseClick(
        widget, Qt::LeftButton, {}, QPoint(qMin(8, widget->width() / 2), widget->height() / 2));
}

} // namespace corvalen::testing
