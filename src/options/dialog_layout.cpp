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

PixelRect scaledRect(const TwipRect& rect, double scale) {
  const int left = scaled(rect.left, scale);
  const int top = scaled(rect.top, scale);
  return {left, top, scaled(rect.left + rect.width, scale) - left,
          scaled(rect.top + rect.height, scale) - top};
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
