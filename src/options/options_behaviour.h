// The options dialog's own handlers: its timer and its close.
#pragma once

#include "platform/toolkit.h"

namespace selvara {

inline constexpr const char* kOptionsCaption = "Option Settings";
inline constexpr int kOptionsTimeoutMs = 60000;

// The dialog's 60-second timer, and its unload too (its close button, Escape, or shutdown),
// which does the same: the timer stops and the dialog hides; an unload is never cancelled.
void optionsTimer1_Timer(Timer& timer, OptionsDialog& dialog);

}  // namespace selvara
