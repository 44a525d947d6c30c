// Pictures load in the real web view whatever the set's path looks like: a path given with a
// leading "//", and set and card names in an 8-bit encoding rather than UTF-8.
#include <gtest/gtest.h>
#include <wx/image.h>

#include <filesystem>

#include "gallery/page_template.h"  // SaveResourceToFile
#include "gallery/page_writer.h"
#include "gui_wait.h"
#include "startup/startup.h"
#include "viewer/viewer_window_wx.h"

namespace selvara {
namespace {

TEST(PicturePathsTest, OddPathsAndEightBitNamesShowEveryPicture) {
  wxInitAllImageHandlers();
  std::string root = (std::filesystem::temp_directory_path() / "selvara-pictures.XXXXXX").string();
  ASSERT_NE(::mkdtemp(root.data()), nullptr);
  const std::string picture = root + "/card.jpg";  // the toolkit takes only UTF-8 file names
  ASSERT_TRUE(wxImage(8, 12).SaveFile(picture, wxBITMAP_TYPE_JPEG));
  for (const std::string card : {"a0001", "a\351001"}) {
    std::filesystem::create_directories(root + "/data/" + card);
    std::filesystem::copy_file(picture, root + "/data/" + card + "/" + card + "c.jpg");
  }
  GalleryState state;
  state.QuoteChar = "\"";
  state.PopupEvent = "onMouseDown";
  state.SettingsText = headingLine("Caf\351 set", "");
  state.MyPath = root + "/";
  state.DataPath = "/" + root + "/data/";  // given as "//tmp/..."
  ASSERT_EQ(SaveResourceToFile(101, "CUSTOM", root + "/blank.html"), 0);
  auto* viewer = new Form1();
  viewer->Show();
  WxEventPump pump;
  Command1_Click(state, *viewer, pump);
  // Asked again until the page and its pictures have finished loading.
  const char* script =
      "location.href.endsWith('test.html') && document.readyState == 'complete' ? [...document"
      ".images].slice(1).map(i => i.alt + ' ' + i.naturalWidth).join(', ') + ' / ' + "
      "document.body.textContent.trim() : ''";
  wxString result;
  viewer->webBrowser1()->Bind(wxEVT_WEBVIEW_SCRIPT_RESULT, [&](wxWebViewEvent& event) {
    result = event.GetString();
    if (result.empty()) viewer->webBrowser1()->RunScriptAsync(script);
  });
  viewer->webBrowser1()->RunScriptAsync(script);
  EXPECT_TRUE(test::waitFor([&] { return !result.empty(); }, std::chrono::seconds(30)));
  EXPECT_EQ(result.utf8_string(), "a0001 8, a\uFFFD001 8 / Cards Caf\uFFFD set");
  viewer->unload();
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace selvara
