// The options dialog's behaviour: the rules that keep the popup larger than the thumbnail while
// the user picks sizes, and the timer that hides the dialog.
#pragma once

#include "options/option_table.h"
#include "platform/toolkit.h"

namespace selvara {

inline constexpr const char* kOptionsCaption = "Option Settings";
inline constexpr int kOptionsTimeoutMs = 60000;

// The dialog's 60-second timer, and its unload too (its close button, Escape, or shutdown),
// which does the same: the timer stops and the dialog hides; an unload is never cancelled.
void optionsTimer1_Timer(Timer& timer, OptionsDialog& dialog);

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
