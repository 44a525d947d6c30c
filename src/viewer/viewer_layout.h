// The designed layout of the viewer window, in twips, its design caption, and its resize rule:
// the browser follows the window, less fixed margins.
#pragma once

#include <optional>

#include "platform/twips.h"

namespace selvara {

inline constexpr const char* kDesignCaption = "Selvara Card Collection View";

inline constexpr int kViewerClientWidthTwips = 11730;
inline constexpr int kViewerClientHeightTwips = 9345;
// The browser's designed rectangle; resizing keeps its top-left corner.
inline constexpr Rect kBrowserRect{30, 60, 9915, 7035};
inline constexpr Rect kCommand1Rect{30, 90, 1515, 345};
inline constexpr int kQuitPollMs = 500;

// The resize rule's margins: the window's outer size less these is the browser's.
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
