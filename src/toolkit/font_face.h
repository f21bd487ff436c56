#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace corvalen {

// A font as the window design names it. The Chinese face names fall back to an installed CJK
// face, so that captions stay legible where 黑体 or 宋体 is not installed.
struct FontFace {
    QString name;
    qreal pointSize = 9;
    int weight = 400;
};

QFont toQFont(const FontFace& design);

} // namespace corvalen
