// The real viewer window: its design caption, its resize rule, and its unload.
#include <gtest/gtest.h>

#include "gui_wait.h"
#include "platform/window_frame_wx.h"
#include "viewer/viewer_layout.h"
#include "viewer/viewer_window_wx.h"

namespace selvara {
namespace {

TEST(ViewerTest, BrowserFollowsTheWindowLessTheMargins) {
  auto* viewer = new Form1();
  EXPECT_EQ(viewer->GetTitle(), kDesignCaption);
  viewer->Show();
  for (const wxSize size : {wxSize(900, 700), wxSize(500, 400), wxSize(640, 480)}) {
    viewer->SetSize(size);
    // The rule works in twips (15 to a pixel) on the outer size the user sees (under Wayland
    // the toolkit's own size counts the shadows too), and never goes below zero.
    const wxSize outer = visibleFrameSize(*viewer);
    const wxSize expected(std::max(0, (outer.x * 15 - 250) / 15),
                          std::max(0, (outer.y * 15 - 610) / 15));
    EXPECT_TRUE(test::waitFor([&] { return viewer->webBrowser1()->GetSize() == expected; }))
        << outer.x << "x" << outer.y << " gave " << viewer->webBrowser1()->GetSize().x << "x"
        << viewer->webBrowser1()->GetSize().y;
    EXPECT_EQ(viewer->webBrowser1()->GetPosition(), wxPoint(2, 4));
  }
  viewer->unload();
  EXPECT_TRUE(test::waitFor([] { return wxTopLevelWindows.empty(); }));
}

}  // namespace
}  // namespace selvara
