// The viewer's resize rule.
#include "viewer/resize_rule.h"

#include <gtest/gtest.h>

namespace selvara {
namespace {

TEST(ResizeRuleTest, BrowserIsTheOuterSizeLessTheMarginsNeverNegative) {
  const struct {
    int width, height, browserWidth, browserHeight;
  } cases[] = {
      {11730, 9345, 11480, 8735}, {250, 610, 0, 0}, {100, 100, 0, 0}, {0, 0, 0, 0},
      {251, 611, 1, 1},
  };
  for (const auto& c : cases) {
    const auto size = Form_Resize(false, c.width, c.height);
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(size->width, c.browserWidth) << c.width;
    EXPECT_EQ(size->height, c.browserHeight) << c.height;
  }
}

TEST(ResizeRuleTest, MinimisedWindowChangesNothing) {
  EXPECT_FALSE(Form_Resize(true, 11730, 9345).has_value());
}

}  // namespace
}  // namespace selvara
