#pragma once

#include <QString>
#include <cstdint>

namespace corvalen {

// The refresh intervals that the options of the refresh frame offer, in seconds, in their order.
inline constexpr int kRefreshTicksOfOption[] = { 10, 20, 30, 60 };

// The variables of the main window that a watch runs on. All start at 0 or empty; starting a
// watch sets them from the criteria and stopping it clears them.
struct WatchState {
    int TickCount = 0;
    int RefreshTicks = 0;
    int RangeLow = 0;
    std::int16_t RangeHigh = 0;
    QString Keyword1;
    QString Keyword2;
    QString ScanText;
};

} // namespace corvalen
