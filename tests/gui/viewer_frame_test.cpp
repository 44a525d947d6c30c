// The viewer's browser against the frame the user sees, alike on X11 and on Wayland, where the
// toolkit draws the title bar and the shadows itself.
#include <gtest/gtest.h>

#include "gui_wait.h"
#include "viewer/viewer_window_wx.h"

namespace selvara {
namespace {

TEST(ViewerFrameTest, BrowserFillsTheClientAreaLessTheDesignedMargins) {
  auto* viewer = new Form1();
  wxSize resizedTo;  // the client size at the last size event, after which the viewer resized
  viewer->Bind(wxEVT_SIZE, [&](wxSizeEvent& event) {
    resizedTo = viewer->GetClientSize();
    event.Skip();
  });
  viewer->Show();
  for (const wxSize client : {wxSize(500, 400), wxSize(900, 700)}) {
    viewer->SetClientSize(client);
    ASSERT_TRUE(test::waitFor([&] { return resizedTo == client; }, std::chrono::seconds(5)));
    // Beside the client area only the side borders (a few pixels) count in the outer width, and
    // the title bar (about the 40 pixels the height's margin leaves) in the outer height.
    const wxRect now = viewer->webBrowser1()->GetRect();
    EXPECT_EQ(now.GetPosition(), wxPoint(2, 4));
    EXPECT_GE(client.x - now.GetRight() - 1, 0) << "cut off at the right";
    EXPECT_LE(client.x - now.GetRight() - 1, 15);
    EXPECT_GE(client.y - now.GetBottom() - 1, -10) << "cut off at the bottom";
    EXPECT_LE(client.y - now.GetBottom() - 1, 37);
  }
  viewer->unload();
  EXPECT_TRUE(test::waitFor([] { return wxTopLevelWindows.empty(); }));
}

}  // namespace
}  // namespace selvara
