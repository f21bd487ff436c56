#include "fitted_text.h"

#include <QFontMetrics>
#include <QPainter>

namespace corvalen {

namespace {
constexpr qreal kSmallestPointSize = 6.0;
constexpr qreal kStep = 0.5;

bool fits(const QFont& font, const QRect& box, int flags, const QString& text)
{
    const QRect needed = QFontMetrics(font).boundingRect(box, flags, text);
    return needed.height() <= box.height() && needed.width() <= box.width();
}
} // namespace

void drawFittedText(
    QPainter& painter, const QRect& box, const QString& text, QFont font, Qt::Alignment alignment)
{
    // Break at word boundaries (between CJK characters, after a blank or a colon) first; only a
    // word wider than the box is broken anywhere.
    const int wordWrap = static_cast<int>(alignment) | Qt::TextWordWrap;
    const int anywhere = static_cast<int>(alignment) | Qt::TextWrapAnywhere;
    int flags = wordWrap;
    for (;;) {
        if (fits(font, box, wordWrap, text)) {
            flags = wordWrap;
            break;
        }
        if (fits(font, box, anywhere, text)) {
            flags = anywhere;
            break;
        }
        if (font.pointSizeF() - kStep < kSmallestPointSize)
            break;
        font.setPointSizeF(font.pointSizeF() - kStep);
    }
    painter.setFont(font);
    painter.drawText(box, flags, text);
}

} // namespace corvalen
