#pragma once

#include <QString>

namespace corvalen {

// Texts that more than one part of the program writes into the main window's controls.

// The caption of the start/stop button says what a click does next.
inline QString startWatchCaption()
{
    return QString::fromUtf8("Corvalen上岗");
}
inline QString stopWatchCaption()
{
    return QString::fromUtf8("Corvalen下班");
}

// What a keyword box shows while it holds no keyword.
inline QString keywordPrompt()
{
    return QString::fromUtf8("输入关键词");
}

} // namespace corvalen
