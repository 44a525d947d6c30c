// Size-compatibility rules of the options dialog.
#include "options/size_rules.h"

#include <array>

namespace selvara {
namespace {

// For each thumbnail index: how many of the smallest popups it disables.
constexpr std::array<int, kThumbOptions> kPopupsDisabledByThumb = {0, 0, 0, 1, 2};
// For each popup index: how many of the largest thumbnails it disables.
constexpr std::array<int, kPopupOptions> kThumbsDisabledByPopup = {2, 1, 0, 0};

}  // namespace

void oThumb_Click(RunState& state, OptionGroup& oPopup, int index) {
  state.ThumbIndex = index;
  if (index < 0 || index >= kThumbOptions) return;
  const int disabled = kPopupsDisabledByThumb[static_cast<std::size_t>(index)];
  for (int popup = kPopupOptions - 1; popup >= 0; --popup) {
    oPopup.setEnabled(popup, popup >= disabled);
  }
  if (index == 3) {
    if (oPopup.isSelected(0)) oPopup.select(1);
  } else if (index == 4) {
    if (oPopup.isSelected(0)) oPopup.select(2);
    if (oPopup.isSelected(1)) oPopup.select(2);
  }
}

void oPopup_Click(RunState& state, OptionGroup& oThumb, int index) {
  state.PopupIndex = index;
  if (index < 0 || index >= kPopupOptions) return;
  const int firstDisabled = kThumbOptions - kThumbsDisabledByPopup[static_cast<std::size_t>(index)];
  for (int thumb = 0; thumb < kThumbOptions; ++thumb) {
    oThumb.setEnabled(thumb, thumb < firstDisabled);
  }
  if (index == 0) {
    if (oThumb.isSelected(4)) oThumb.select(2);
    if (oThumb.isSelected(3)) oThumb.select(2);
  } else if (index == 1) {
    if (oThumb.isSelected(4)) oThumb.select(3);
  }
}

void oPopaction_Click(RunState& state, int index) { state.PopupActionIndex = index; }

}  // namespace selvara
