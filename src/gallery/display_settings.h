// Turns the three selection indices into the page's sizes, popup event and settings summary.
#pragma once

#include <string>

#include "gallery/gallery_state.h"
#include "options/option_table.h"

namespace selvara {

struct DisplaySettings {
  CardSize thumb{11, 16};
  CardSize popup{172, 252};
  std::string popupEvent = "onMouseDown";
  std::string summary;
};

// The sizes, event and summary for the selections; an index outside its group changes nothing
// of the defaults, and any trigger but 0 opens the popup on a button press.
DisplaySettings displaySettings(int thumbIndex, int popupIndex, int popupActionIndex);

// Writes ThumbWidth, ThumbHeight, PopupWidth, PopupHeight, PopupEvent and the summary in
// SettingsText.
void resolveDisplaySettings(const OptionSelections& selections, GalleryState& state);

}  // namespace selvara
