#pragma once

#include <QString>

namespace corvalen {

// The caption of the start/stop button says what a click does next; a watch runs while it says
// "Corvalen下班".
inline QString startWatchCaption()
{
    return QString::fromUtf8("Corvalen上岗");
}
inline QString stopWatchCaption()
{
    return QString::fromUtf8("Corvalen下班");
}

} // namespace corvalen
