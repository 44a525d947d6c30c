// The real viewer window: its resize rule and the web view showing a generated page.
#include <gtest/gtest.h>
#include <wx/webview.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "gui_wait.h"
#include "platform/window_frame_wx.h"
#include "viewer/resize_rule.h"
#include "viewer/viewer_layout.h"
#include "viewer/viewer_window_wx.h"

namespace selvara {
namespace {

class ViewerTest : public ::testing::Test {
 protected:
  void SetUp() override { viewer = new Form1(); }
  void TearDown() override {
    if (viewer != nullptr) viewer->unload();
    test::waitFor([] { return wxTopLevelWindows.empty(); }, std::chrono::seconds(5));
  }
  Form1* viewer = nullptr;
};

TEST_F(ViewerTest, OpensWithTheDesignCaption) {
  EXPECT_EQ(viewer->GetTitle(), kDesignCaption);
  viewer->setCaption("SET - Ærø - Selvara Card Viewer - Version 1.0.0.1");
  EXPECT_EQ(viewer->GetTitle().utf8_string(), "SET - Ærø - Selvara Card Viewer - Version 1.0.0.1");
}

TEST_F(ViewerTest, BrowserFollowsTheWindowLessTheMargins) {
  viewer->Show();
  for (const wxSize size : {wxSize(900, 700), wxSize(500, 400), wxSize(640, 480)}) {
    viewer->SetSize(size);
    // The outer size the user sees; under Wayland the toolkit's own counts the shadows too.
    const auto expected = [&] {
      const wxSize outer = visibleFrameSize(*viewer);
      return wxSize((outer.x * 15 - 250) / 15, (outer.y * 15 - 610) / 15);
    };
    EXPECT_TRUE(test::waitFor([&] { return viewer->webBrowser1()->GetSize() == expected(); },
                              std::chrono::seconds(5)))
        << size.x << "x" << size.y << " gave " << viewer->webBrowser1()->GetSize().x << "x"
        << viewer->webBrowser1()->GetSize().y;
    EXPECT_EQ(viewer->webBrowser1()->GetPosition(), wxPoint(2, 4));
  }
}

TEST_F(ViewerTest, ShowsAGeneratedPageWithItsScript) {
  // A folder of this run's own, so that two runs at once do not share the page.
  std::string unique =
      (std::filesystem::temp_directory_path() / "selvara-gui-page.XXXXXX").string();
  ASSERT_NE(::mkdtemp(unique.data()), nullptr) << unique << ": " << std::strerror(errno);
  const std::filesystem::path folder = unique;
  std::filesystem::create_directories(folder / "with space");
  const auto page = folder / "with space" / "test.html";
  std::ofstream(page) << "<html><head><script>function popup(){}</script></head>"
                         "<body bgcolor='black'><Div ID=pics>x</div></body></html>";
  bool loaded = false;
  viewer->webBrowser1()->Bind(wxEVT_WEBVIEW_LOADED, [&](wxWebViewEvent& event) {
    if (event.GetURL().StartsWith("file://")) loaded = true;
  });
  viewer->Show();
  viewer->navigate(page.string());
  ASSERT_TRUE(test::waitFor([&] { return loaded; }, std::chrono::seconds(30)));
  EXPECT_TRUE(viewer->webBrowser1()->GetCurrentURL().EndsWith("with%20space/test.html"))
      << viewer->webBrowser1()->GetCurrentURL();
  wxString result;
  bool answered = false;
  viewer->webBrowser1()->Bind(wxEVT_WEBVIEW_SCRIPT_RESULT, [&](wxWebViewEvent& event) {
    result = event.GetString();
    answered = true;
  });
  viewer->webBrowser1()->RunScriptAsync(
      "typeof popup + ':' + document.getElementById('pics').textContent");
  ASSERT_TRUE(test::waitFor([&] { return answered; }, std::chrono::seconds(30)));
  EXPECT_EQ(result, "function:x");
  std::filesystem::remove_all(folder);
}

TEST_F(ViewerTest, UnloadIsHarmlessTwice) {
  viewer->unload();
  viewer->unload();
  viewer = nullptr;
  EXPECT_TRUE(test::waitFor([] { return wxTopLevelWindows.empty(); }, std::chrono::seconds(5)));
}

}  // namespace
}  // namespace selvara
