// The Windows program's own windows in process under Wine: the options dialog clicked at random as
// a user clicks it, and start-up as the program runs it on a card set whose names are in several
// scripts, up to the viewer that says in words why it cannot show the page.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>

#include <random>

#include "gallery/page_template.h"
#include "gui_wait.h"
#include "options/options_behaviour.h"
#include "options/options_dialog_wx.h"
#include "platform/page_folder.h"
#include "platform/user_locale.h"
#include "startup/shutdown.h"
#include "support.h"
#include "viewer/viewer_window_wx.h"

namespace selvara {
namespace {

// After every click the selected sizes fit, the other group offers exactly the sizes that fit the
// last option a click selected, and the run state holds what is selected. (Until a size is
// clicked every option is offered, the full-size thumbnail beside the full-size popup too.)
TEST(WineDialogTest, RandomClicksKeepTheSizeRulesAndEnterClosesTheDialog) {
  OptionSelections state{kInitialThumb, kInitialPopup, kInitialTrigger};
  WxEventPump pump;
  Form2Reference reference{pump};
  reference.attach(new Form2(state, reference, kOptionsTimeoutMs));
  reference.showModeless();
  ASSERT_TRUE(test::waitFor([&] { return reference.get()->IsActive(); }));
  WxOptionGroup &thumbs = reference.get()->oThumb(), &popups = reference.get()->oPopup();
  bool onThumb = false;
  int last = -1;  // the option that the last click selected
  std::mt19937 random(20261208);
  wxUIActionSimulator input;
  for (auto clicks = 20 + random() % 21; clicks > 0; --clicks) {
    WxOptionGroup& group = random() % 2 == 0 ? thumbs : popups;
    const int index = static_cast<int>(random() % group.size());
    const wxRect at = group.button(index)->GetScreenRect();
    input.MouseMove(at.GetPosition() + at.GetSize() / 2);
    input.MouseClick();
    // A click on a disabled option changes nothing; one on an offered option selects it.
    if (group.button(index)->IsEnabled()) {
      ASSERT_TRUE(test::waitFor([&] { return group.isSelected(index); })) << at.x << "," << at.y;
      onThumb = &group == &thumbs, last = index;
    }
    ASSERT_TRUE(popupFitsThumb(state.ThumbIndex, state.PopupIndex));
    WxOptionGroup& other = onThumb ? popups : thumbs;  // the group that the last click set
    for (int i = 0; i < thumbs.size(); ++i) {
      EXPECT_EQ(thumbs.isSelected(i), i == state.ThumbIndex) << i;
      EXPECT_EQ(i < popups.size() && popups.isSelected(i), i == state.PopupIndex) << i;
      EXPECT_TRUE(last < 0 || i >= other.size() ||
                  other.button(i)->IsEnabled() ==
                      (onThumb ? popupFitsThumb(last, i) : popupFitsThumb(i, last)))
          << (onThumb ? "thumbnail " : "popup ") << last << " offers " << i;
    }
  }
  input.Char(WXK_RETURN);
  EXPECT_TRUE(test::waitFor([&] { return !reference.isVisible(); }));
  EXPECT_FALSE(reference.get()->timer1().enabled());
  reference.unload();
}

// The dialog closed by Enter; the page byte for byte in the run's own folder in the user's
// temporary folder; the caption; and the viewer, whose browser control Wine cannot show the page
// in, saying so in words.
TEST(WineStartupTest, PageCaptionAndMessageForACardSetNamedInSeveralScripts) {
  const test::TempFolder sets;
  const std::filesystem::path set = sets.path / "Stone";
  // In pass and name order; "aΩμέγα" has six characters, so it is no card.
  const std::vector<std::string> cards = {"a0001", "aΩμέγ", "c0002", "c日本", "b12", "b🂡"};
  for (const std::string name : {"aΩμέγα", "b🂡", "c0002", "c日本", "aΩμέγ", "b12", "a0001"})
    std::filesystem::create_directories(set / "data" / std::u8string(name.begin(), name.end()));
  RunState state;
  WxEventPump pump;
  Form2Reference reference{pump};
  const PageFolder pages(userPageFolderPlaces(), {kTemplateFileName, kPageFileName});
  reference.attach(new Form2(state, reference, kOptionsTimeoutMs));
  auto* viewer = new Form1();
  wxTheApp->CallAfter([&] {
    ASSERT_TRUE(test::waitFor([&] { return reference.get()->IsActive(); }));
    wxUIActionSimulator().Char(WXK_RETURN);
    // Well before the dialog's own timer would close it.
    EXPECT_TRUE(test::waitFor([&] { return !reference.isVisible(); })) << "Enter did not close it";
  });
  StartupContext context(reference, pump, *viewer, currentExecutable(), pages.path(),
                         userDecimalMark(), commandLineText({set.string()}));
  Form_Load(state, context);
  viewer->Show();
  const std::filesystem::path folder = std::filesystem::path(pages.path()).parent_path();
  EXPECT_EQ(folder.parent_path() / "", std::filesystem::temp_directory_path());
  const std::string page = (folder / kPageFileName).string();
  EXPECT_EQ(test::readFile(page), test::expectedPage(set.string() + "\\data\\", "Stone", cards));
  EXPECT_EQ(viewer->GetTitle(), "SET - Stone - Selvara Card Viewer - Version 1.0.0.1");
  EXPECT_TRUE(test::waitFor([&] { return !viewer->webBrowser1()->IsShown(); }));
  const auto* said = dynamic_cast<wxStaticText*>(viewer->GetChildren().back());
  wxString message = said != nullptr ? said->GetLabel() : "";
  message.Replace("\n", " ");  // wrapped to the browser's width
  const wxString expected = "Cannot show the card gallery \"" + wxString::FromUTF8(page) + "\"";
  EXPECT_EQ(message.Left(expected.size()), expected);
  deleteGeneratedFiles(state);
  reference.unload();
  viewer->unload();
  EXPECT_TRUE(test::waitFor([] { return wxTopLevelWindows.empty(); }));
}

}  // namespace
}  // namespace selvara
