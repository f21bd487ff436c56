#pragma once

#include <QString>

namespace corvalen {

// The release number, shown in the main window's caption and compared with the one the maker's
// start page announces.
inline QString releaseNumber()
{
    return QStringLiteral("1.3.0");
}

} // namespace corvalen
