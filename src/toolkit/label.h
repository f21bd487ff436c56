#pragma once

#include "control.h"

class QLabel;

namespace corvalen {

// A caption drawn on its container's surface: transparent, wrapping at blanks.
class Label : public Control {
public:
    explicit Label(QWidget* parent);

    QString Caption() const;
    void setCaption(const QString& caption);
    void setCentered(bool centered);

private:
    QLabel* m_label;
};

} // namespace corvalen
