#pragma once

#include "forms/captions.h"
#include "forms/form1.h"
#include "toolkit/colors.h"

namespace corvalen {

// Two facts the main window keeps only in the look of its controls.

// A watch runs while the start/stop button offers to stop it.
inline bool isWatchRunning(const Form1& form)
{
    return form.Command6.Caption() == stopWatchCaption();
}

// The watcher's tab is selected while its tab button carries the marker colour.
inline bool isWatcherTabMarked(const Form1& form)
{
    return form.Command1(0).BackColor() == Colors::Marker;
}

} // namespace corvalen
