#include "font_face.h"

namespace corvalen {

QFont toQFont(const FontFace& design)
{
    QFont font;
    QStringList families;
    families << design.name << QStringLiteral("SimHei") << QStringLiteral("SimSun")
             << QStringLiteral("Noto Sans CJK SC") << QStringLiteral("Noto Sans SC");
    font.setFamilies(families);
    font.setPointSizeF(design.pointSize);
    font.setWeight(design.weight >= 700 ? QFont::Bold : QFont::Normal);
    return font;
}

} // namespace corvalen
