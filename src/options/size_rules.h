// The rules that keep the popup larger than the thumbnail while the user picks sizes.
#pragma once

#include "options/option_table.h"
#include "platform/toolkit.h"

namespace selvara {

// True when the popup option is larger than the thumbnail option in both dimensions.
bool popupFitsThumb(int thumbIndex, int popupIndex);

// A thumbnail option became selected: records it and disables the popups that would not be
// larger, moving the popup selection off a disabled one.
void oThumb_Click(OptionSelections& state, OptionGroup& oPopup, int index);

// A popup option became selected: records it and disables the thumbnails that would not be
// smaller, moving the thumbnail selection off a disabled one.
void oPopup_Click(OptionSelections& state, OptionGroup& oThumb, int index);

// A trigger option became selected.
void oPopaction_Click(OptionSelections& state, int index);

}  // namespace selvara
