// Display settings: sizes in pixels and the summary text for each selection.
#include "gallery/display_settings.h"

#include <array>

namespace selvara {
namespace {

struct SizeRow {
  int width;
  int height;
  const char* label;
};

constexpr std::array<SizeRow, 5> kThumbSizes{{
    {11, 16, " Thumbs 11 x 16 "},
    {22, 32, " Thumbs 22 x 32 "},
    {43, 63, " Thumbs 43 x 63 "},
    {86, 126, " Thumbs 86 x 126 "},
    {172, 252, " Thumbs 172 x 252 "},
}};

constexpr std::array<SizeRow, 4> kPopupSizes{{
    {86, 126, " PopUp 86 x 126 "},
    {172, 252, " PopUp 172 x 252 "},
    {258, 378, " PopUp 258 x 378 "},
    {344, 504, " PopUp 344 x 504 "},
}};

template <std::size_t N>
const SizeRow* rowAt(const std::array<SizeRow, N>& table, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= N) return nullptr;
  return &table[static_cast<std::size_t>(index)];
}

}  // namespace

void resolveDisplaySettings(RunState& state) {
  state.ThumbWidth = 11;
  state.ThumbHeight = 16;
  state.PopupWidth = 172;
  state.PopupHeight = 252;
  state.PopupEvent = "onMouseDown";

  if (const SizeRow* thumb = rowAt(kThumbSizes, state.ThumbIndex)) {
    state.ThumbWidth = thumb->width;
    state.ThumbHeight = thumb->height;
    state.SettingsText = thumb->label;
  }
  if (const SizeRow* popup = rowAt(kPopupSizes, state.PopupIndex)) {
    state.PopupWidth = popup->width;
    state.PopupHeight = popup->height;
    state.SettingsText += popup->label;
  }
  if (state.PopupActionIndex == 0) {
    state.PopupEvent = "onMouseOver";
    state.SettingsText += " On Mouse Over ";
  } else {
    state.PopupEvent = "onMouseDown";
    state.SettingsText += " On Mouse Down ";
  }
}

}  // namespace selvara
