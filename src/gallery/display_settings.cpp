// Display settings: sizes in pixels and the summary text for each selection.
#include "gallery/display_settings.h"

namespace selvara {
namespace {

template <typename Table>
const auto* rowAt(const Table& table, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < table.size()
             ? &table[static_cast<std::size_t>(index)]
             : nullptr;
}

}  // namespace

DisplaySettings displaySettings(int thumbIndex, int popupIndex, int popupActionIndex) {
  DisplaySettings settings;
  if (const auto* thumb = rowAt(kThumbOptions, thumbIndex)) {
    settings.thumb = thumb->size;
    settings.summary = thumb->label;
  }
  if (const auto* popup = rowAt(kPopupOptions, popupIndex)) {
    settings.popup = popup->size;
    settings.summary += popup->label;
  }
  const TriggerOption& trigger = kTriggerOptions.at(popupActionIndex == 0 ? 0 : 1);
  settings.popupEvent = trigger.event;
  settings.summary += trigger.label;
  return settings;
}

void resolveDisplaySettings(const OptionSelections& selections, GalleryState& state) {
  const DisplaySettings settings =
      displaySettings(selections.ThumbIndex, selections.PopupIndex, selections.PopupActionIndex);
  state.ThumbWidth = settings.thumb.width;
  state.ThumbHeight = settings.thumb.height;
  state.PopupWidth = settings.popup.width;
  state.PopupHeight = settings.popup.height;
  state.PopupEvent = settings.popupEvent;
  // Without a known thumbnail size the summary goes on from the earlier text.
  const bool thumbKnown = rowAt(kThumbOptions, selections.ThumbIndex) != nullptr;
  state.SettingsText = (thumbKnown ? std::string() : state.SettingsText) + settings.summary;
}

}  // namespace selvara
