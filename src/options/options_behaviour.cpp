// The options dialog's behaviour: its size rules and its timer.
#include "options/options_behaviour.h"

namespace selvara {
namespace {

constexpr int kThumbCount = static_cast<int>(kThumbOptions.size());
constexpr int kPopupCount = static_cast<int>(kPopupOptions.size());

}  // namespace

bool popupFitsThumb(int thumbIndex, int popupIndex) {
  const CardSize thumb = kThumbOptions.at(static_cast<std::size_t>(thumbIndex)).size;
  const CardSize popup = kPopupOptions.at(static_cast<std::size_t>(popupIndex)).size;
  return popup.width > thumb.width && popup.height > thumb.height;
}

// Sizes grow with the index, so the options that do not fit lie on one side of the one that fits
// best, and that one is where a selection that no longer fits moves.
void oThumb_Click(OptionSelections& state, OptionGroup& oPopup, int index) {
  state.ThumbIndex = index;
  if (index < 0 || index >= kThumbCount) return;
  // Largest first, as the popups have always been enabled; no event shows the order.
  for (int popup = kPopupCount - 1; popup >= 0; --popup) {
    oPopup.setEnabled(popup, popupFitsThumb(index, popup));
  }
  int smallestFitting = 0;
  while (!popupFitsThumb(index, smallestFitting)) ++smallestFitting;
  for (int popup = 0; popup < smallestFitting; ++popup) {
    if (oPopup.isSelected(popup)) oPopup.select(smallestFitting);
  }
}

void oPopup_Click(OptionSelections& state, OptionGroup& oThumb, int index) {
  state.PopupIndex = index;
  if (index < 0 || index >= kPopupCount) return;
  for (int thumb = 0; thumb < kThumbCount; ++thumb) {
    oThumb.setEnabled(thumb, popupFitsThumb(thumb, index));
  }
  int largestFitting = kThumbCount - 1;
  // Down from the largest: the first thumbnail that fits is the largest that does.
  while (!popupFitsThumb(largestFitting, index)) --largestFitting;
  // Largest first, as the thumbnails have always been checked; only one can be selected.
  for (int thumb = kThumbCount - 1; thumb > largestFitting; --thumb) {
    if (oThumb.isSelected(thumb)) oThumb.select(largestFitting);
  }
}

void oPopaction_Click(OptionSelections& state, int index) { state.PopupActionIndex = index; }

void optionsTimer1_Timer(Timer& timer, OptionsDialog& dialog) {
  timer.setEnabled(false);
  dialog.hide();
}

}  // namespace selvara
