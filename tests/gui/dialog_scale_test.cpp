// The options dialog at the desktop's text scale: captions whole in the system font, buttons apart
// and inside their frames, disabled captions dimmed, Enter closing the dialog.
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/settings.h>
#include <wx/statbox.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "gui_wait.h"
#include "options/dialog_layout.h"
#include "options/options_dialog_wx.h"

namespace selvara {
namespace {

// The colour GTK draws a button's caption with in the button's present state.
wxColour captionColour(wxRadioButton* button) {
  GtkStyleContext* style =
      gtk_widget_get_style_context(gtk_bin_get_child(GTK_BIN(button->GetHandle())));
  GdkRGBA rgba;
  gtk_style_context_get_color(style, gtk_style_context_get_state(style), &rgba);
  return wxColour(rgba);
}

class DialogScaleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reference.attach(new Form2(state, reference, 60000));
    dialog = reference.get();
    reference.showModeless();
    ASSERT_TRUE(test::waitFor([&] { return reference.isVisible(); }));
  }
  void TearDown() override { reference.unload(); }
  std::array<WxOptionGroup*, 3> groups() {
    return {&dialog->oThumb(), &dialog->oPopup(), &dialog->oPopaction()};
  }
  static bool simulatedInput() { return wxGetDisplayInfo().type != wxDisplayWayland; }

  OptionSelections state{kInitialThumb, kInitialPopup, kInitialTrigger};
  WxEventPump pump;
  Form2Reference reference{pump};
  Form2* dialog = nullptr;
};

TEST_F(DialogScaleTest, CaptionsAreWholeAndButtonsApartInsideTheirFrames) {
  std::vector<wxStaticBox*> frames;
  for (wxWindow* child : dialog->GetChildren()) {
    if (auto* box = dynamic_cast<wxStaticBox*>(child)) frames.push_back(box);
  }
  ASSERT_EQ(frames.size(), kFrames.size());
  const wxFont systemFont = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
  std::vector<wxRect> seen;
  for (std::size_t frame = 0; frame < frames.size(); ++frame) {
    const wxRect box = frames[frame]->GetRect();
    const int captionBottom = box.y + frames[frame]->GetTextExtent(kFrames[frame].caption).y;
    for (int i = 0; i < groups()[frame]->size(); ++i) {
      wxRadioButton* button = groups()[frame]->button(i);
      const wxRect rect = button->GetRect();
      const wxString caption = button->GetLabel();
      EXPECT_EQ(button->GetFont().GetFractionalPointSize(), systemFont.GetFractionalPointSize());
      EXPECT_LE(button->GetBestSize().x, rect.width) << caption;
      EXPECT_LE(button->GetBestSize().y, rect.height) << caption;
      EXPECT_TRUE(box.Contains(rect)) << caption;
      EXPECT_GE(rect.y, captionBottom) << caption << " covers " << kFrames[frame].caption;
      for (const wxRect& other : seen) EXPECT_FALSE(rect.Intersects(other)) << caption;
      seen.push_back(rect);
    }
  }
  // The design scales as a whole: the client area grows with the frames.
  const double scale = frames[0]->GetSize().x * 15.0 / kFrames[0].rect.width;
  EXPECT_NEAR(dialog->GetClientSize().x, scale * kDialogClientWidthTwips / 15, 2);
  EXPECT_NEAR(dialog->GetClientSize().y, scale * kDialogClientHeightTwips / 15, 2);
}

TEST_F(DialogScaleTest, DisabledCaptionsAreDimmed) {
  WxOptionGroup& thumb = dialog->oThumb();
  dialog->oPopup().select(0);  // a half-size popup leaves no room for a full-size thumbnail
  ASSERT_FALSE(thumb.button(4)->IsEnabled());
  EXPECT_EQ(captionColour(thumb.button(0)), wxColour(255, 255, 0));
  EXPECT_NE(captionColour(thumb.button(4)), captionColour(thumb.button(0)));
  dialog->oPopup().select(3);
  EXPECT_EQ(captionColour(thumb.button(4)), wxColour(255, 255, 0));
}

TEST_F(DialogScaleTest, MinimisingRestoresTheDialogAndEnterClosesIt) {
  if (!simulatedInput()) GTEST_SKIP() << "no input device, no minimised state on this display";
  bool minimised = false;
  dialog->Bind(wxEVT_ICONIZE, [&](wxIconizeEvent& event) {
    minimised = minimised || event.IsIconized();
    event.Skip();
  });
  dialog->Iconize(true);
  ASSERT_TRUE(test::waitFor([&] { return minimised && !dialog->IsIconized(); }));
  ASSERT_TRUE(test::waitFor([&] { return reference.isVisible() && dialog->IsActive(); }));
  wxUIActionSimulator().Char(WXK_RETURN);
  EXPECT_TRUE(test::waitFor([&] { return !reference.isVisible(); }));
  EXPECT_FALSE(dialog->timer1().enabled());
}

}  // namespace
}  // namespace selvara
