// The options dialog's own handlers: its timer and its close.
#pragma once

#include "platform/toolkit.h"

namespace selvara {

inline constexpr const char* kOptionsCaption = "Option Settings";
inline constexpr int kOptionsTimeoutMs = 60000;

// The dialog's 60-second timer: it stops and hides the dialog.
void optionsTimer1_Timer(Timer& timer, OptionsDialog& dialog);

// The dialog's unload (its close button, Escape, or shutdown): the timer stops and the dialog
// becomes invisible; it is never cancelled.
void optionsForm_Unload(Timer& timer, OptionsDialog& dialog);

}  // namespace selvara
