#pragma once

#include "sites/sites.h"

namespace corvalen {

// The addresses of the maker's site that the windows load.
namespace MakerPages {
inline QString startPage(const Sites& s)
{
    return s.maker + QStringLiteral("/corvalen/corvalen2345.htm");
}
inline QString downloadPage(const Sites& s)
{
    return s.maker + QStringLiteral("/corvalen.htm");
}
inline QString stepGuide(const Sites& s)
{
    return s.maker + QStringLiteral("/corvalen/linjb.htm");
}
inline QString instructions(const Sites& s)
{
    return s.maker + QStringLiteral("/corvalen/shuoming.htm");
}
inline QString banner(const Sites& s)
{
    return s.maker + QStringLiteral("/corvalen/guanggao.htm");
}
inline QString advert(const Sites& s, int number)
{
    return s.maker + QStringLiteral("/corvalen/guanggao/gg") + QString::number(number)
        + QStringLiteral(".htm");
}
} // namespace MakerPages

inline QString blankPage()
{
    return QStringLiteral("about:blank");
}

} // namespace corvalen
