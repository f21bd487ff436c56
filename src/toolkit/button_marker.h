#pragma once

#include "button.h"
#include "control_array.h"

namespace corvalen {

// Marks one button of an array with a colour and gives every other the button face: the
// selected tab, the last clicked step, the last hovered advertisement.
inline void markOnly(ControlArray<Button>& buttons, int index, std::uint32_t mark)
{
    buttons(index).setBackColor(mark);
    for (int j = 0; j < buttons.Count(); ++j) {
        if (j != index)
            buttons(j).setBackColor(Colors::ButtonFace);
    }
}

} // namespace corvalen
