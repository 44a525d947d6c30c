// The real options dialog: its captions, its designed selections and its layout.
#include <gtest/gtest.h>
#include <wx/statbox.h>

#include "options/options_dialog_wx.h"

namespace selvara {
namespace {

class OptionsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reference.attach(new Form2(state, reference, 60000));
    dialog = reference.get();
    dialog->Show();
  }
  void TearDown() override { reference.unload(); }
  std::vector<WxOptionGroup*> groups() const {
    return {&dialog->oThumb(), &dialog->oPopup(), &dialog->oPopaction()};
  }

  OptionSelections state;
  WxEventPump pump;
  Form2Reference reference{pump};
  Form2* dialog = nullptr;
};

TEST_F(OptionsDialogTest, CaptionsColoursAndDesignedSelections) {
  EXPECT_EQ(dialog->GetTitle(), "Option Settings");
  EXPECT_EQ(dialog->GetBackgroundColour(), *wxBLACK);
  EXPECT_FALSE(dialog->HasFlag(wxRESIZE_BORDER) || dialog->HasFlag(wxMAXIMIZE_BOX) ||
               dialog->HasFlag(wxMINIMIZE_BOX));
  const std::vector<std::vector<std::string_view>> captions = {
      {"Tiny 11 x 16", "Small 22 x 32", "Medium 43 x 63   25%", "Large 86  x 126   50%",
       "Full Size 172 x 252  100%"},
      {"Half Size   86  x 126  50%", "Full Size  172  x 252  100%",
       "One and a Half  258  x 378  150%", "Double Size  344  x 504  200%"},
      {"PopUp On Mouse Over", "PopUp On Left Mouse Click"}};
  const int selected[] = {2, 1, 1};
  for (std::size_t g = 0; g < captions.size(); ++g) {
    WxOptionGroup& group = *groups()[g];
    ASSERT_EQ(group.size(), static_cast<int>(captions[g].size()));
    for (int i = 0; i < group.size(); ++i) {
      EXPECT_EQ(group.button(i)->GetLabel().utf8_string(),
                captions[g][static_cast<std::size_t>(i)]);
      EXPECT_TRUE(group.button(i)->IsEnabled());
      EXPECT_EQ(group.isSelected(i), i == selected[g]) << group.button(i)->GetLabel();
      EXPECT_EQ(group.button(i)->GetForegroundColour(), wxColour(255, 255, 0));
    }
  }
}

TEST_F(OptionsDialogTest, EveryCaptionFitsItsButtonInsideItsFrame) {
  std::vector<wxRect> frames;
  for (wxWindow* child : dialog->GetChildren()) {
    if (auto* box = dynamic_cast<wxStaticBox*>(child)) frames.push_back(box->GetRect());
  }
  ASSERT_EQ(frames.size(), 3u);
  for (std::size_t g = 0; g < frames.size(); ++g) {
    for (int i = 0; i < groups()[g]->size(); ++i) {
      wxRadioButton* button = groups()[g]->button(i);
      EXPECT_TRUE(frames[g].Contains(button->GetRect())) << button->GetLabel();
      EXPECT_LE(button->GetBestSize().GetWidth(), button->GetSize().GetWidth() + 2)
          << button->GetLabel();
    }
  }
}

TEST_F(OptionsDialogTest, UnloadedDialogReportsNotVisibleAndIgnoresMore) {
  reference.unload();
  EXPECT_FALSE(reference.isVisible());
  reference.hide();
  reference.unload();
  EXPECT_FALSE(reference.isVisible());
}

}  // namespace
}  // namespace selvara
