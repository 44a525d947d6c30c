// Display settings for every selection.
#include "gallery/display_settings.h"

#include <gtest/gtest.h>

#include "startup/web_window.h"

namespace selvara {
namespace {

struct SettingsCase {
  int thumb, popup, action;
  int thumbWidth, thumbHeight, popupWidth, popupHeight;
  const char* event;
  const char* summary;
};

TEST(DisplaySettingsTest, EverySelectionGivesItsSizesAndSummary) {
  const SettingsCase cases[] = {
      {2, 1, 1, 43, 63, 172, 252, "onMouseDown",
       " Thumbs 43 x 63  PopUp 172 x 252  On Mouse Down "},
      {0, 0, 0, 11, 16, 86, 126, "onMouseOver", " Thumbs 11 x 16  PopUp 86 x 126  On Mouse Over "},
      {4, 3, 1, 172, 252, 344, 504, "onMouseDown",
       " Thumbs 172 x 252  PopUp 344 x 504  On Mouse Down "},
      {1, 2, 0, 22, 32, 258, 378, "onMouseOver",
       " Thumbs 22 x 32  PopUp 258 x 378  On Mouse Over "},
      {3, 1, 1, 86, 126, 172, 252, "onMouseDown",
       " Thumbs 86 x 126  PopUp 172 x 252  On Mouse Down "},
      // Out-of-range indices leave the defaults and the earlier summary text in place.
      {7, 9, 5, 11, 16, 172, 252, "onMouseDown", "earlier On Mouse Down "},
      {-1, 0, 1, 11, 16, 86, 126, "onMouseDown", "earlier PopUp 86 x 126  On Mouse Down "},
  };
  for (const SettingsCase& c : cases) {
    RunState state;
    state.SettingsText = "earlier";
    state.ThumbIndex = c.thumb;
    state.PopupIndex = c.popup;
    state.PopupActionIndex = c.action;
    resolveDisplaySettings(state, state);
    SCOPED_TRACE(testing::Message() << c.thumb << "," << c.popup << "," << c.action);
    EXPECT_EQ(state.ThumbWidth, c.thumbWidth);
    EXPECT_EQ(state.ThumbHeight, c.thumbHeight);
    EXPECT_EQ(state.PopupWidth, c.popupWidth);
    EXPECT_EQ(state.PopupHeight, c.popupHeight);
    EXPECT_EQ(state.PopupEvent, c.event);
    EXPECT_EQ(state.SettingsText, c.summary);
  }
}

}  // namespace
}  // namespace selvara
