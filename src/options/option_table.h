// The three option groups of the dialog: every option's caption, the card size it stands for and
// the words it adds to the page heading. The dialog, the size rules and the display settings all
// read this one table.
#pragma once

#include <array>
#include <string_view>

namespace selvara {

struct CardSize {
  int width;
  int height;
};

struct SizeOption {
  std::string_view caption;  // as the dialog shows it
  CardSize size;             // in pixels
  std::string_view label;    // its words in the settings summary
};

struct TriggerOption {
  std::string_view caption;
  std::string_view event;  // the page's event attribute that opens the popup
  std::string_view label;
};

inline constexpr std::array<SizeOption, 5> kThumbOptions{{
    {"Tiny 11 x 16", {11, 16}, " Thumbs 11 x 16 "},
    {"Small 22 x 32", {22, 32}, " Thumbs 22 x 32 "},
    {"Medium 43 x 63   25%", {43, 63}, " Thumbs 43 x 63 "},
    {"Large 86  x 126   50%", {86, 126}, " Thumbs 86 x 126 "},
    {"Full Size 172 x 252  100%", {172, 252}, " Thumbs 172 x 252 "},
}};

inline constexpr std::array<SizeOption, 4> kPopupOptions{{
    {"Half Size   86  x 126  50%", {86, 126}, " PopUp 86 x 126 "},
    {"Full Size  172  x 252  100%", {172, 252}, " PopUp 172 x 252 "},
    {"One and a Half  258  x 378  150%", {258, 378}, " PopUp 258 x 378 "},
    {"Double Size  344  x 504  200%", {344, 504}, " PopUp 344 x 504 "},
}};

inline constexpr std::array<TriggerOption, 2> kTriggerOptions{{
    {"PopUp On Mouse Over", "onMouseOver", " On Mouse Over "},
    {"PopUp On Left Mouse Click", "onMouseDown", " On Mouse Down "},
}};

// The options selected when the dialog opens, which are also the run's defaults.
inline constexpr int kInitialThumb = 2;
inline constexpr int kInitialPopup = 1;
inline constexpr int kInitialTrigger = 1;

// The selection indices of the three groups: the part of the run state the dialog writes.
struct OptionSelections {
  int ThumbIndex = 0;
  int PopupIndex = 0;
  int PopupActionIndex = 0;
};

}  // namespace selvara
