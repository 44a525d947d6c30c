// The viewer's resize rule.
#include "viewer/viewer_layout.h"

#include <algorithm>

namespace selvara {

std::optional<TwipSize> Form_Resize(bool minimised, int outerWidthTwips, int outerHeightTwips) {
  if (minimised) return std::nullopt;
  return TwipSize{std::max(0, outerWidthTwips - kBrowserWidthMarginTwips),
                  std::max(0, outerHeightTwips - kBrowserHeightMarginTwips)};
}

}  // namespace selvara
