#pragma once

#include "control.h"

#include <QPixmap>

class QLabel;

namespace corvalen {

// A bordered box that shows a picture and can hold other controls.
class PictureBox : public Control {
public:
    explicit PictureBox(QWidget* parent);

    QWidget* inner() const { return widget(); }
    void setPicture(const QPixmap& picture);
    bool hasPicture() const;

private:
    QLabel* m_label;
};

} // namespace corvalen
