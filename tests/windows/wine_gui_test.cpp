// The viewer under Wine, whose WebBrowser control has no engine to draw a page with: the window
// says in words which page it cannot show and why, in place of the browser. (The dialog's size
// rules: gui/size_rules_test.cpp, on both ports.)
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/stattext.h>

#include <filesystem>

#include "gui_wait.h"
#include "support.h"
#include "viewer/viewer_window_wx.h"

namespace selvara {
namespace {

TEST(WineViewerTest, SaysInWordsWhichPageItCannotShow) {
  const test::TempFolder folder;
  const std::string page = (folder.path / "test.html").string();
  std::ofstream(page) << "<html><body>cards</body></html>";
  auto* viewer = new Form1();
  viewer->Show();
  viewer->navigate(page);
  EXPECT_TRUE(test::waitFor([&] { return !viewer->webBrowser1()->IsShown(); }));
  const auto* said = dynamic_cast<wxStaticText*>(viewer->GetChildren().back());
  wxString message = said != nullptr ? said->GetLabel() : "";
  message.Replace("\n", " ");  // wrapped to the browser's width
  EXPECT_TRUE(message.StartsWith("Cannot show the card gallery \"" + wxString::FromUTF8(page) +
                                 "\": the web browser control could not load it ("))
      << message;
  viewer->unload();
  EXPECT_TRUE(test::waitFor([] { return wxTopLevelWindows.empty(); }));
}

}  // namespace
}  // namespace selvara
