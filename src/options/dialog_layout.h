// The designed layout of the options dialog, in twips.
#pragma once

#include <array>
#include <cstddef>

#include "platform/twips.h"

namespace selvara {

struct FrameLayout {
  const char* caption;
  TwipRect rect;
};

inline constexpr int kDialogClientWidthTwips = 6135;
inline constexpr int kDialogClientHeightTwips = 3690;

inline constexpr std::array<FrameLayout, 3> kFrames{{
    {"Thumbnail Size", {150, 180, 5775, 1155}},
    {"PopUp Size", {150, 1500, 5775, 975}},
    {"PopUp Action", {150, 2670, 5775, 855}},
}};

// Each option's rectangle inside its frame, in the order of the option table.
inline constexpr std::array<TwipRect, 5> kThumbRects{{
    {120, 240, 1305, 315},
    {120, 600, 1305, 315},
    {1470, 240, 1995, 315},
    {1470, 600, 1995, 315},
    {3510, 240, 2115, 315},
}};

inline constexpr std::array<TwipRect, 4> kPopupRects{{
    {120, 240, 2325, 315},
    {120, 540, 2235, 315},
    {2460, 240, 3075, 315},
    {2460, 540, 2685, 315},
}};

inline constexpr std::array<TwipRect, 2> kTriggerRects{{
    {150, 360, 2325, 315},
    {2520, 330, 2325, 315},
}};

// An option's rectangle in dialog coordinates: its frame's position plus its own.
constexpr TwipRect dialogRect(std::size_t frame, const TwipRect& option) {
  const TwipRect& box = kFrames.at(frame).rect;
  return {box.left + option.left, box.top + option.top, option.width, option.height};
}

}  // namespace selvara
