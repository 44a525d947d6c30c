// Scaling the options dialog's designed layout so that every caption fits in the system font.
#include "options/dialog_layout.h"

#include <algorithm>
#include <cmath>

namespace selvara {
namespace {

int scaled(int twips, double scale) {
  return static_cast<int>(std::lround(twips * scale / kTwipsPerPixel));
}

}  // namespace

Rect scaledRect(const Rect& twips, double scale) {
  const int left = scaled(twips.left, scale);
  const int top = scaled(twips.top, scale);
  return {left, top, scaled(twips.left + twips.width, scale) - left,
          scaled(twips.top + twips.height, scale) - top};
}

double dialogScale(double textScale, std::span<const OptionNeed> needs) {
  double scale = std::max(1.0, textScale);
  // One pixel more than each need absorbs the rounding of the edges.
  for (const OptionNeed& need : needs) {
    scale = std::max({scale, (need.width + 1.0) * kTwipsPerPixel / need.room.width,
                      (need.height + 1.0) * kTwipsPerPixel / need.room.height});
  }
  return scale;
}

}  // namespace selvara
