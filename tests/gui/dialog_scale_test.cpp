// The options dialog at the desktop's text scale: captions whole in the system font, buttons apart
// and inside their frames; captions, marks and focus seen in every theme, disabled captions
// dimmed; Enter closing the dialog.
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <wx/dcmemory.h>
#include <wx/settings.h>
#include <wx/statbox.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <algorithm>
#include <cmath>

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

// The dialog's client area as GTK draws it now.
wxImage drawn(Form2* dialog) {
  gtk_container_check_resize(GTK_CONTAINER(dialog->GetHandle()));  // GTK draws only laid out
  wxBitmap bitmap(dialog->GetClientSize(), 24);
  {
    wxMemoryDC dc(bitmap);
    gtk_widget_draw(dialog->m_wxwindow, static_cast<cairo_t*>(dc.GetImpl()->GetCairoContext()));
  }
  return bitmap.ConvertToImage();
}

// A pixel's relative luminance, the picture repeated beyond its edges.
double luminance(const wxImage& image, int x, int y) {
  auto linear = [](unsigned char v) {
    return v <= 10 ? v / 3294.6 : std::pow((v / 255.0 + 0.055) / 1.055, 2.4);
  };
  x %= image.GetWidth(), y %= image.GetHeight();
  return 0.2126 * linear(image.GetRed(x, y)) + 0.7152 * linear(image.GetGreen(x, y)) +
         0.0722 * linear(image.GetBlue(x, y));
}

// The strongest contrast ratio between the pixels of a picture and those of another.
double strongest(const wxImage& a, const wxImage& b) {
  double best = 1;
  for (int y = 0; y < a.GetHeight(); ++y) {
    for (int x = 0; x < a.GetWidth(); ++x) {
      const auto [dark, light] = std::minmax({luminance(a, x, y), luminance(b, x, y)});
      best = std::max(best, (light + 0.05) / (dark + 0.05));
    }
  }
  return best;
}

// A control's rectangle in its window's client area, also when it sits in a frame.
wxRect inWindow(wxWindow* control) {
  int x = 0, y = 0;
  gtk_widget_translate_coordinates(control->GetHandle(), wxGetTopLevelParent(control)->m_wxwindow,
                                   0, 0, &x, &y);
  return {wxPoint(x, y), control->GetSize()};
}

// Where a button's marker is drawn: left of its caption.
wxRect marker(wxWindow* button) {
  GtkAllocation caption;
  gtk_widget_get_allocation(gtk_bin_get_child(GTK_BIN(button->GetHandle())), &caption);
  return {inWindow(button).GetPosition(),
          wxSize(caption.x - button->GetPosition().x, button->GetSize().y)};
}

class DialogScaleTest : public ::testing::Test {
 protected:
  void SetUp() override { open(); }
  void open() {
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
      const wxRect rect = inWindow(button);
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

// Under each theme, in a dialog opened anew: every marker and frame, the selected option's dot and
// the focus ring, shown at once on the selected thumbnail size, stand out at 3:1 at least.
TEST_F(DialogScaleTest, CaptionsMarksAndFocusStandOutOnTheGroundInEveryTheme) {
  GtkSettings* settings = gtk_settings_get_default();
  for (const std::string theme :
       {"Adwaita", "Adwaita:dark", "HighContrast", "HighContrastInverse"}) {
    g_object_set(settings, "gtk-theme-name", theme.substr(0, theme.find(':')).c_str(),
                 "gtk-application-prefer-dark-theme", theme.ends_with(":dark"), nullptr);
    reference.unload();
    open();
    dialog->oPopup().select(0);  // a half-size popup leaves no room for full-size thumbnails
    wxRadioButton* focus = dialog->oThumb().button(kInitialThumb);
    // Captions are yellow, and dimmed while disabled.
    ASSERT_FALSE(dialog->oThumb().button(4)->IsEnabled());
    EXPECT_EQ(captionColour(focus), wxColour(255, 255, 0)) << theme;
    EXPECT_NE(captionColour(dialog->oThumb().button(4)), captionColour(focus)) << theme;
    const wxRect on = marker(focus), off = marker(dialog->oThumb().button(0));
    std::pair<double, std::string> weakest;
    test::waitFor([&] {
      const wxImage now = drawn(dialog);
      auto note = [&](const char* what, const wxRect& at, const wxImage& against) {
        weakest = std::min(weakest, {strongest(now.GetSubImage(at), against), what});
      };
      weakest = {99, ""};
      note("dot", on.Deflate(on.width / 3, on.height / 3),
           now.GetSubImage(off.Deflate(off.width / 3, off.height / 3)));
      for (wxWindow* frame : dialog->GetChildren()) {
        const wxRect box = frame->GetRect();
        note("frame", {box.x, box.GetBottom() - 2, box.width, 3}, now.GetSubImage({0, 0, 1, 1}));
        for (wxWindow* option : frame->GetChildren()) {
          note("marker", marker(option), now.GetSubImage({0, 0, 1, 1}));
        }
      }
      if (simulatedInput()) {  // without a keyboard no window has the focus
        GtkWindow* window = GTK_WINDOW(dialog->GetHandle());
        const gboolean shown = gtk_window_get_focus_visible(window);
        gtk_window_set_focus_visible(window, FALSE);
        const wxRect ring = inWindow(focus).Inflate(3);
        note("focus ring", ring, drawn(dialog).GetSubImage(ring));
        gtk_window_set_focus_visible(window, shown);
      }
      return weakest.first >= 3;
    });
    EXPECT_GE(weakest.first, 3) << theme << " " << weakest.second;
  }
  gtk_settings_reset_property(settings, "gtk-theme-name");
  gtk_settings_reset_property(settings, "gtk-application-prefer-dark-theme");
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
