#include "frame.h"

#include <QFrame>

namespace corvalen {

Frame::Frame(QWidget* parent)
    : Control(new QFrame(parent))
{
    auto* frame = static_cast<QFrame*>(widget());
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setLineWidth(1);
}

} // namespace corvalen
