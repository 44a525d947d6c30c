// Window geometry in twips (1/1440 inch): 15 twips are one pixel at 96 dpi.
#pragma once

namespace selvara {

inline constexpr int kTwipsPerPixel = 15;

// A rectangle: in twips in the designed layouts, in pixels once scaled.
struct Rect {
  int left;
  int top;
  int width;
  int height;
};

constexpr int twipsToPixels(int twips) { return twips / kTwipsPerPixel; }
constexpr int pixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

}  // namespace selvara
