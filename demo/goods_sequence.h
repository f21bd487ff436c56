#pragma once

#include <QString>
#include <QStringList>

namespace corvalen::demo {

// The simulated full-exchange list changes from one load to the next in a fixed cycle that
// crosses every count range and brings back a few keywords ("雨伞", "充电宝") within a few
// refreshes.
class GoodsSequence {
public:
    static int cycleLength();
    // The goods of the load with this number (0, 1, 2, ... wrapping round the cycle).
    static QStringList goodsOf(int load);
    // The list page of those goods, in the structure the program reads.
    static QString listPage(int load);
};

} // namespace corvalen::demo
