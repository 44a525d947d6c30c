// Turns the three selection indices into the page's sizes, popup event and settings summary.
#pragma once

#include "startup/web_window.h"

namespace selvara {

// Reads ThumbIndex, PopupIndex, PopupActionIndex; writes ThumbWidth, ThumbHeight, PopupWidth,
// PopupHeight, PopupEvent and the summary in SettingsText.
void resolveDisplaySettings(RunState& state);

}  // namespace selvara
