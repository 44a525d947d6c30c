// The designed layout of the options dialog, in twips.
#pragma once

#include <array>

namespace selvara {

struct TwipRect {
  int left;
  int top;
  int width;
  int height;
};

struct FrameLayout {
  const char* caption;
  TwipRect rect;
};

struct OptionLayout {
  int frame;  // 0, 1 or 2
  const char* caption;
  TwipRect rect;  // inside its frame
};

inline constexpr int kDialogClientWidthTwips = 6135;
inline constexpr int kDialogClientHeightTwips = 3690;

inline constexpr std::array<FrameLayout, 3> kFrames{{
    {"Thumbnail Size", {150, 180, 5775, 1155}},
    {"PopUp Size", {150, 1500, 5775, 975}},
    {"PopUp Action", {150, 2670, 5775, 855}},
}};

// In tab order: oThumb 0..4, oPopup 0..3, oPopaction 0..1.
inline constexpr std::array<OptionLayout, 5> kThumbLayout{{
    {0, "Tiny 11 x 16", {120, 240, 1305, 315}},
    {0, "Small 22 x 32", {120, 600, 1305, 315}},
    {0, "Medium 43 x 63   25%", {1470, 240, 1995, 315}},
    {0, "Large 86  x 126   50%", {1470, 600, 1995, 315}},
    {0, "Full Size 172 x 252  100%", {3510, 240, 2115, 315}},
}};

inline constexpr std::array<OptionLayout, 4> kPopupLayout{{
    {1, "Half Size   86  x 126  50%", {120, 240, 2325, 315}},
    {1, "Full Size  172  x 252  100%", {120, 540, 2235, 315}},
    {1, "One and a Half  258  x 378  150%", {2460, 240, 3075, 315}},
    {1, "Double Size  344  x 504  200%", {2460, 540, 2685, 315}},
}};

inline constexpr std::array<OptionLayout, 2> kPopactionLayout{{
    {2, "PopUp On Mouse Over", {150, 360, 2325, 315}},
    {2, "PopUp On Left Mouse Click", {2520, 330, 2325, 315}},
}};

// The options selected when the dialog opens.
inline constexpr int kInitialThumb = 2;
inline constexpr int kInitialPopup = 1;
inline constexpr int kInitialPopaction = 1;

// An option's rectangle in dialog coordinates: its frame's position plus its own.
constexpr TwipRect dialogRect(const OptionLayout& option) {
  const TwipRect& frame = kFrames[static_cast<std::size_t>(option.frame)].rect;
  return {frame.left + option.rect.left, frame.top + option.rect.top, option.rect.width,
          option.rect.height};
}

}  // namespace selvara
