#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

namespace corvalen {

// Draws a caption wrapped inside its box. The design sizes were made for a narrower face than the
// CJK fonts at hand, so a caption that would not fit is drawn a little smaller rather than cut.
void drawFittedText(
    QPainter& painter, const QRect& box, const QString& text, QFont font, Qt::Alignment alignment);

} // namespace corvalen
