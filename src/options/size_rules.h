// The rules that keep the popup larger than the thumbnail while the user picks sizes.
#pragma once

#include "platform/toolkit.h"
#include "startup/web_window.h"

namespace selvara {

inline constexpr int kThumbOptions = 5;
inline constexpr int kPopupOptions = 4;
inline constexpr int kPopactionOptions = 2;

// A thumbnail option became selected: records it and disables the popups that would not be
// larger, moving the popup selection off a disabled one.
void oThumb_Click(RunState& state, OptionGroup& oPopup, int index);

// A popup option became selected: records it and disables the thumbnails that would not be
// smaller, moving the thumbnail selection off a disabled one.
void oPopup_Click(RunState& state, OptionGroup& oThumb, int index);

// A trigger option became selected.
void oPopaction_Click(RunState& state, int index);

}  // namespace selvara
