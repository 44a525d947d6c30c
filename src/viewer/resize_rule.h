// The viewer's resize rule: the browser follows the window, less fixed margins.
#pragma once

#include <optional>

namespace selvara {

inline constexpr int kBrowserWidthMarginTwips = 250;
inline constexpr int kBrowserHeightMarginTwips = 610;

struct TwipSize {
  int width = 0;
  int height = 0;
};

// The browser's size for a window of the given outer size in twips, in twips; nothing when the
// window is minimised. Never negative.
std::optional<TwipSize> Form_Resize(bool minimised, int outerWidthTwips, int outerHeightTwips);

}  // namespace selvara
