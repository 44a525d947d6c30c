// Size-compatibility rules of the options dialog.
#include "options/size_rules.h"

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

void oThumb_Click(OptionSelections& state, OptionGroup& oPopup, int index) {
  state.ThumbIndex = index;
  if (index < 0 || index >= kThumbCount) return;
  for (int popup = kPopupCount - 1; popup >= 0; --popup) {
    oPopup.setEnabled(popup, popupFitsThumb(index, popup));
  }
  if (index == 3) {
    if (oPopup.isSelected(0)) oPopup.select(1);
  } else if (index == 4) {
    if (oPopup.isSelected(0)) oPopup.select(2);
    if (oPopup.isSelected(1)) oPopup.select(2);
  }
}

void oPopup_Click(OptionSelections& state, OptionGroup& oThumb, int index) {
  state.PopupIndex = index;
  if (index < 0 || index >= kPopupCount) return;
  for (int thumb = 0; thumb < kThumbCount; ++thumb) {
    oThumb.setEnabled(thumb, popupFitsThumb(thumb, index));
  }
  if (index == 0) {
    if (oThumb.isSelected(4)) oThumb.select(2);
    if (oThumb.isSelected(3)) oThumb.select(2);
  } else if (index == 1) {
    if (oThumb.isSelected(4)) oThumb.select(3);
  }
}

void oPopaction_Click(OptionSelections& state, int index) { state.PopupActionIndex = index; }

}  // namespace selvara
