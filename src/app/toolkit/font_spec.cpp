#include "font_spec.h"

namespace corvalen {

QFont toQFont(const FontSpec& spec)
{
    QFont font;
    QStringList families;
    families << spec.name << QStringLiteral("SimHei") << QStringLiteral("SimSun")
             << QStringLiteral("Noto Sans CJK SC") << QStringLiteral("Noto Sans SC");
    font.setFamilies(families);
    font.setPointSizeF(spec.pointSize);
    font.setWeight(spec.weight >= 700 ? QFont::Bold : QFont::Normal);
    return font;
}

} // namespace corvalen
