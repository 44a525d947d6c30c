// The options dialog as the user clicks it, on either port: after any clicks on the two size
// groups the clicked size leaves offered exactly the sizes of the other group that fit it, the
// other group's selection stays if it fits and else moves to the nearest that does, and the run
// state holds what is selected; Enter then closes the dialog.
#include <gtest/gtest.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <random>
#include <utility>

#include "gui_wait.h"
#include "options/options_behaviour.h"
#include "options/options_dialog_wx.h"

namespace selvara {
namespace {

// A popup fits a thumbnail when it is larger in both directions, by the sizes the dialog shows.
bool fits(int thumb, int popup) {
  const CardSize t = kThumbOptions.at(static_cast<std::size_t>(thumb)).size;
  const CardSize p = kPopupOptions.at(static_cast<std::size_t>(popup)).size;
  return p.width > t.width && p.height > t.height;
}

TEST(SizeRulesTest, AfterAnyClicksOnlyFittingSizesAreOfferedAndEnterClosesTheDialog) {
  // The display session's Wayland compositor has no input device to simulate.
  if (wxString(wxGetenv("GDK_BACKEND")) == "wayland") GTEST_SKIP() << "no input to simulate";
  OptionSelections state{kInitialThumb, kInitialPopup, kInitialTrigger};
  WxEventPump pump;
  Form2Reference reference{pump};
  reference.attach(new Form2(state, reference, kOptionsTimeoutMs));
  reference.showModeless();
  ASSERT_TRUE(test::waitFor([&] { return reference.get()->IsActive(); }));
  std::mt19937 random(20261208);
  wxUIActionSimulator input;
  for (int click = 0; click < 40; ++click) {
    const bool onThumb = random() % 2 == 0;
    WxOptionGroup& group = onThumb ? reference.get()->oThumb() : reference.get()->oPopup();
    WxOptionGroup& other = onThumb ? reference.get()->oPopup() : reference.get()->oThumb();
    const int i = static_cast<int>(random() % group.size());
    // A click on a disabled or selected option raises nothing.
    if (!group.button(i)->IsEnabled() || group.isSelected(i)) continue;
    int nearest = onThumb ? state.PopupIndex : state.ThumbIndex;
    const wxRect at = group.button(i)->GetScreenRect();
    input.MouseMove(at.GetPosition() + at.GetSize() / 2);
    input.MouseClick();
    ASSERT_TRUE(test::waitFor([&] { return group.isSelected(i); })) << "click " << click;
    while (!(onThumb ? fits(i, nearest) : fits(nearest, i))) nearest += onThumb ? 1 : -1;
    for (int j = 0; j < other.size(); ++j) {
      EXPECT_EQ(other.isSelected(j), j == nearest) << "click " << click << ", option " << j;
      EXPECT_EQ(other.button(j)->IsEnabled(), onThumb ? fits(i, j) : fits(j, i)) << j;
    }
    ASSERT_EQ(std::pair(state.ThumbIndex, state.PopupIndex),
              onThumb ? std::pair(i, nearest) : std::pair(nearest, i));
  }
  input.Char(WXK_RETURN);
  EXPECT_TRUE(test::waitFor([&] { return !reference.isVisible(); }));
  EXPECT_FALSE(reference.get()->timer1().enabled());
  reference.unload();
}

}  // namespace
}  // namespace selvara
