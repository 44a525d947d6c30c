// The size rules against a fake pair of option groups that behave like the dialog's.
#include "options/size_rules.h"

#include <gtest/gtest.h>

#include <random>

#include "startup/web_window.h"

namespace selvara {
namespace {

constexpr int kThumbs = 5;
constexpr int kPopups = 4;
const int kThumbSize[kThumbs][2] = {{11, 16}, {22, 32}, {43, 63}, {86, 126}, {172, 252}};
const int kPopupSize[kPopups][2] = {{86, 126}, {172, 252}, {258, 378}, {344, 504}};

class FakeGroup : public OptionGroup {
 public:
  FakeGroup(int count, int selected) : enabled(count, true), selectedIndex(selected) {}
  void setEnabled(int index, bool on) override { enabled.at(index) = on; }
  bool isSelected(int index) const override { return selectedIndex == index; }
  void select(int index) override {
    selectedIndex = index;
    ++selects;
    if (onClick) onClick(index);
  }
  std::vector<bool> enabled;
  int selectedIndex;
  int selects = 0;
  std::function<void(int)> onClick;
};

// The dialog as the user meets it: two size groups wired to the rules.
struct Dialog {
  RunState state;
  FakeGroup thumbs{kThumbs, 2};
  FakeGroup popups{kPopups, 1};
  Dialog() {
    state.ThumbIndex = 2;
    state.PopupIndex = 1;
    thumbs.onClick = [this](int i) { oThumb_Click(state, popups, i); };
    popups.onClick = [this](int i) { oPopup_Click(state, thumbs, i); };
  }
  std::vector<bool> popupEnabled() const { return popups.enabled; }
  std::vector<bool> thumbEnabled() const { return thumbs.enabled; }
};

using Flags = std::vector<bool>;

TEST(SizeRulesTest, ThumbnailRowsEnableAndDisablePopups) {
  const Flags expected[kThumbs] = {
      {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {0, 1, 1, 1}, {0, 0, 1, 1}};
  for (int thumb = 0; thumb < kThumbs; ++thumb) {
    Dialog d;
    d.popups.enabled.assign(kPopups, false);
    d.popups.selectedIndex = 3;
    d.thumbs.select(thumb);
    EXPECT_EQ(d.popupEnabled(), expected[thumb]) << "thumb " << thumb;
    EXPECT_EQ(d.state.ThumbIndex, thumb);
    EXPECT_EQ(d.popups.selects, 0) << "no forced move from popup 3";
  }
}

TEST(SizeRulesTest, PopupRowsEnableAndDisableThumbnails) {
  const Flags expected[kPopups] = {
      {1, 1, 1, 0, 0}, {1, 1, 1, 1, 0}, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}};
  for (int popup = 0; popup < kPopups; ++popup) {
    Dialog d;
    d.thumbs.enabled.assign(kThumbs, false);
    d.thumbs.selectedIndex = 0;
    d.popups.select(popup);
    EXPECT_EQ(d.thumbEnabled(), expected[popup]) << "popup " << popup;
    EXPECT_EQ(d.state.PopupIndex, popup);
    EXPECT_EQ(d.thumbs.selects, 0);
  }
}

struct ForcedMove {
  const char* name;
  bool clickThumb;  // otherwise a popup is clicked
  int otherSelected;
  int clicked;
  int expectedOther;  // where the other group's selection ends up
};

TEST(SizeRulesTest, ForcedMovesAndTheirCascade) {
  const ForcedMove moves[] = {
      {"thumb 3 moves popup 0 to 1", true, 0, 3, 1},
      {"thumb 3 keeps popup 1", true, 1, 3, 1},
      {"thumb 4 moves popup 0 to 2", true, 0, 4, 2},
      {"thumb 4 moves popup 1 to 2", true, 1, 4, 2},
      {"thumb 4 keeps popup 3", true, 3, 4, 3},
      {"popup 0 moves thumb 4 to 2", false, 4, 0, 2},
      {"popup 0 moves thumb 3 to 2", false, 3, 0, 2},
      {"popup 0 keeps thumb 2", false, 2, 0, 2},
      {"popup 1 moves thumb 4 to 3", false, 4, 1, 3},
      {"popup 1 keeps thumb 3", false, 3, 1, 3},
      {"popup 2 keeps thumb 4", false, 4, 2, 4},
  };
  for (const ForcedMove& m : moves) {
    Dialog d;
    SCOPED_TRACE(m.name);
    if (m.clickThumb) {
      d.popups.selectedIndex = m.otherSelected;
      d.state.PopupIndex = m.otherSelected;
      d.thumbs.select(m.clicked);
      EXPECT_EQ(d.popups.selectedIndex, m.expectedOther);
      EXPECT_EQ(d.state.PopupIndex, m.expectedOther);
      EXPECT_EQ(d.state.ThumbIndex, m.clicked);
      // The moved popup's own row ran: nothing of the clicked thumbnail is disabled.
      EXPECT_TRUE(d.thumbs.enabled[m.clicked]);
    } else {
      d.thumbs.selectedIndex = m.otherSelected;
      d.state.ThumbIndex = m.otherSelected;
      d.popups.select(m.clicked);
      EXPECT_EQ(d.thumbs.selectedIndex, m.expectedOther);
      EXPECT_EQ(d.state.ThumbIndex, m.expectedOther);
      EXPECT_EQ(d.state.PopupIndex, m.clicked);
      EXPECT_TRUE(d.popups.enabled[m.clicked]);
    }
  }
}

TEST(SizeRulesTest, FullSizeThumbnailFromTheOpenedDialog) {
  Dialog d;
  d.thumbs.select(4);
  EXPECT_EQ(d.popupEnabled(), (Flags{0, 0, 1, 1}));
  EXPECT_EQ(d.state.PopupIndex, 2);
  EXPECT_EQ(d.thumbEnabled(), (Flags{1, 1, 1, 1, 1}));
}

TEST(SizeRulesTest, PopupStaysLargerAfterRandomClicks) {
  std::mt19937 random(20261207);
  for (int run = 0; run < 200; ++run) {
    Dialog d;
    for (int click = 0; click < 40; ++click) {
      const bool thumb = random() % 2 == 0;
      FakeGroup& group = thumb ? d.thumbs : d.popups;
      std::vector<int> choices;
      for (int i = 0; i < static_cast<int>(group.enabled.size()); ++i) {
        if (group.enabled[i] && !group.isSelected(i)) choices.push_back(i);
      }
      if (choices.empty()) continue;
      group.select(choices[random() % choices.size()]);
      const int t = d.thumbs.selectedIndex;
      const int p = d.popups.selectedIndex;
      ASSERT_EQ(d.state.ThumbIndex, t);
      ASSERT_EQ(d.state.PopupIndex, p);
      ASSERT_GT(kPopupSize[p][0], kThumbSize[t][0]) << "run " << run << " click " << click;
      ASSERT_GT(kPopupSize[p][1], kThumbSize[t][1]);
      ASSERT_TRUE(d.thumbs.enabled[t] && d.popups.enabled[p]);
    }
  }
}

TEST(SizeRulesTest, TriggerIsRecorded) {
  RunState state;
  oPopaction_Click(state, 0);
  EXPECT_EQ(state.PopupActionIndex, 0);
  oPopaction_Click(state, 1);
  EXPECT_EQ(state.PopupActionIndex, 1);
}

}  // namespace
}  // namespace selvara
