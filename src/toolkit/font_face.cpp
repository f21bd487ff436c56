#include "font_face.h"

namespace corvalen {

namespace {

// The design's Chinese faces by their other names: Windows outside zh-CN knows 宋体 only as
// SimSun and 黑体 only as SimHei.
QString otherName(const QString& face)
{
    if (face == QString::fromUtf8("宋体"))
        return QStringLiteral("SimSun");
    if (face == QString::fromUtf8("黑体"))
        return QStringLiteral("SimHei");
    return {};
}

} // namespace

QFont toQFont(const FontFace& design)
{
    QFont font;
    QStringList families { design.name };
    if (const QString other = otherName(design.name); !other.isEmpty())
        families << other;
    // Then a Chinese face of Windows, and the one of Linux.
    families << QStringLiteral("Microsoft YaHei") << QStringLiteral("Noto Sans CJK SC")
             << QStringLiteral("Noto Sans SC");
    font.setFamilies(families);
    font.setPointSizeF(design.pointSize);
    font.setWeight(design.weight >= 700 ? QFont::Bold : QFont::Normal);
    return font;
}

} // namespace corvalen
