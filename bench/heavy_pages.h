#pragma once

#include <QByteArray>
#include <QString>

namespace corvalen::testing {

// Pages as heavy as the real shop's, for measuring what the program costs on them: about 300 KB
// of HTML with about 2,000 elements and inline pictures, a script that holds about 30 MB of
// objects, a carousel that turns every 100 ms and a CSS animation. Each says it is a simulation.
QByteArray heavyShopPage(const QString& title);

// The full-exchange list at the same weight, with `goods` items that carry the markers the reader
// counts (and no marker anywhere else). It holds still: the watched pane is in sight, and what a
// page in sight moves costs the same with or without the program's care.
QByteArray heavyListPage(int goods);

} // namespace corvalen::testing
