// The size rules that keep the popup larger than the thumbnail.
#include <gtest/gtest.h>

#include <random>

#include "options/option_table.h"
#include "options/size_rules.h"
#include "startup/web_window.h"

namespace selvara {
namespace {

struct FakeGroup : OptionGroup {
  FakeGroup(std::size_t count, int selected) : enabled(count, true), chosen(selected) {}
  void setEnabled(int i, bool on) override { enabled.at(static_cast<std::size_t>(i)) = on; }
  bool isSelected(int i) const override { return chosen == i; }
  void select(int i) override { chosen = i, onClick(i); }
  std::vector<bool> enabled;
  int chosen;
  std::function<void(int)> onClick;
};

bool fits(int thumb, int popup) {
  const CardSize t = kThumbOptions.at(static_cast<std::size_t>(thumb)).size;
  const CardSize p = kPopupOptions.at(static_cast<std::size_t>(popup)).size;
  return p.width > t.width && p.height > t.height;
}

// Random clicks on the two size groups, wired as the dialog wires them: after each, the clicked
// size enables exactly the sizes of the other group that fit it, and the other group's selection
// stays if it fits, else moves to the nearest size that does.
TEST(SizeRulesTest, AfterAnyClicksOnlyFittingSizesAreEnabledAndThePopupIsLarger) {
  std::mt19937 random(20261207);
  for (int run = 0; run < 300; ++run) {
    // From the dialog as it opens, and from every other pair of selections with all enabled.
    const int thumb = run == 0 ? 2 : static_cast<int>(random() % 5);
    const int popup = run == 0 ? 1 : static_cast<int>(random() % 4);
    OptionSelections state{thumb, popup, 1};
    FakeGroup thumbs{5, thumb}, popups{4, popup};
    thumbs.onClick = [&](int i) { oThumb_Click(state, popups, i); };
    popups.onClick = [&](int i) { oPopup_Click(state, thumbs, i); };
    for (int click = 0; click < 30; ++click) {
      const bool onThumb = random() % 2 == 0;
      FakeGroup& group = onThumb ? thumbs : popups;
      FakeGroup& other = onThumb ? popups : thumbs;
      const int i = static_cast<int>(random() % group.enabled.size());
      if (!group.enabled[static_cast<std::size_t>(i)] || group.isSelected(i)) continue;
      int nearest = other.chosen;  // a click on a disabled or selected button raises nothing
      group.select(i);
      while (!(onThumb ? fits(i, nearest) : fits(nearest, i))) nearest += onThumb ? 1 : -1;
      ASSERT_EQ(other.chosen, nearest) << "run " << run << " click " << click;
      for (int j = 0; j < static_cast<int>(other.enabled.size()); ++j) {
        ASSERT_EQ(other.enabled[static_cast<std::size_t>(j)], onThumb ? fits(i, j) : fits(j, i));
      }
      ASSERT_EQ(std::pair(state.ThumbIndex, state.PopupIndex),
                std::pair(thumbs.chosen, popups.chosen));
      ASSERT_TRUE(fits(thumbs.chosen, popups.chosen));  // strictly larger in both directions
    }
  }
}

}  // namespace
}  // namespace selvara
