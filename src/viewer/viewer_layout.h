// The designed layout of the viewer window, in twips, and its design caption.
#pragma once

#include "platform/twips.h"

namespace selvara {

inline constexpr const char* kDesignCaption = "Selvara Card Collection View";

inline constexpr int kViewerClientWidthTwips = 11730;
inline constexpr int kViewerClientHeightTwips = 9345;
// The browser's designed rectangle; resizing keeps its top-left corner.
inline constexpr Rect kBrowserRect{30, 60, 9915, 7035};
inline constexpr Rect kCommand1Rect{30, 90, 1515, 345};
inline constexpr int kQuitPollMs = 500;

}  // namespace selvara
