#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace corvalen {

// A font as the window design names it. A Chinese face name falls back to the same face by its
// other name, then to an installed CJK face, so that captions keep their face where the system
// knows 宋体 or 黑体 by another name, and stay legible where neither is installed.
struct FontFace {
    QString name;
    qreal pointSize = 9;
    int weight = 400;
};

QFont toQFont(const FontFace& design);

} // namespace corvalen
