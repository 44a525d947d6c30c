// The designed layout of the options dialog, in twips.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <numeric>
#include <span>

#include "platform/twips.h"

namespace selvara {

struct FrameLayout {
  const char* caption;
  Rect rect;
};

inline constexpr int kDialogClientWidthTwips = 6135;
inline constexpr int kDialogClientHeightTwips = 3690;

inline constexpr std::array<FrameLayout, 3> kFrames{{
    {"Thumbnail Size", {150, 180, 5775, 1155}},
    {"PopUp Size", {150, 1500, 5775, 975}},
    {"PopUp Action", {150, 2670, 5775, 855}},
}};

// Each option's rectangle inside its frame, in the order of the option table.
inline constexpr std::array<Rect, 5> kThumbRects{{
    {120, 240, 1305, 315},
    {120, 600, 1305, 315},
    {1470, 240, 1995, 315},
    {1470, 600, 1995, 315},
    {3510, 240, 2115, 315},
}};

inline constexpr std::array<Rect, 4> kPopupRects{{
    {120, 240, 2325, 315},
    {120, 540, 2235, 315},
    {2460, 240, 3075, 315},
    {2460, 540, 2685, 315},
}};

inline constexpr std::array<Rect, 2> kTriggerRects{{
    {150, 360, 2325, 315},
    {2520, 330, 2325, 315},
}};

// An option's rectangle in dialog coordinates: its frame's position plus its own. Where the
// design lets an option run into the one below it (by 15 twips in the popup frame), it ends
// where that one begins, so that no two buttons overlap on screen.
template <std::size_t N>
constexpr Rect optionRect(std::size_t frame, const std::array<Rect, N>& rects, std::size_t index) {
  Rect own = rects.at(index);
  for (const Rect& other : rects) {
    const bool below = other.top > own.top && other.top < own.top + own.height;
    const bool sideBySide =
        other.left < own.left + own.width && own.left < other.left + other.width;
    if (below && sideBySide) own.height = other.top - own.top;
  }
  const Rect& box = kFrames.at(frame).rect;
  return {box.left + own.left, box.top + own.top, own.width, own.height};
}

// The options of a frame in the order they are read on screen, row by row and left to right: the
// order in which they are made, which the keyboard and screen readers follow. Two options are on
// one row when each one's middle lies within the other's height.
template <std::size_t N>
std::array<std::size_t, N> readingOrder(const std::array<Rect, N>& rects) {
  std::array<std::size_t, N> order{};
  std::iota(order.begin(), order.end(), std::size_t{0});
  const auto within = [](const Rect& a, const Rect& b) {
    const int middle = a.top + a.height / 2;
    return middle >= b.top && middle < b.top + b.height;
  };
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const Rect& first = rects.at(a);
    const Rect& second = rects.at(b);
    const bool oneRow = within(first, second) && within(second, first);
    return oneRow ? first.left < second.left : first.top < second.top;
  });
  return order;
}

// A designed rectangle in pixels at a scale: 1 is the design's 15 twips per pixel, 2 draws
// everything twice as large. Edges are rounded, not sizes, so the layout scales as a whole.
Rect scaledRect(const Rect& twips, double scale);

// What an option's caption needs, in pixels, and the room its designed rectangle gives it.
struct OptionNeed {
  int width;
  int height;
  Rect room;
};

// The scale at which the dialog is laid out: at least the desktop's text scale (never below
// the design), and more when a caption in the system font needs more room than its option has.
double dialogScale(double textScale, std::span<const OptionNeed> needs);

}  // namespace selvara
