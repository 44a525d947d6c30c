// The real options dialog: captions, selections, the size rules through its buttons, its timer.
#include <gtest/gtest.h>
#include <wx/statbox.h>
#include <wx/uiaction.h>

#include "gui_wait.h"
#include "options/dialog_layout.h"
#include "options/options_dialog_wx.h"

namespace selvara {
namespace {

class OptionsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state.ThumbIndex = 2;
    state.PopupIndex = 1;
    state.PopupActionIndex = 1;
    reference.attach(new Form2(state, reference, timeoutMs()));
    dialog = reference.get();
  }
  void TearDown() override { reference.unload(); }
  virtual int timeoutMs() const { return 60000; }

  std::vector<bool> enabled(WxOptionGroup& group) {
    std::vector<bool> flags;
    for (int i = 0; i < group.size(); ++i) flags.push_back(group.button(i)->IsEnabled());
    return flags;
  }
  int selected(WxOptionGroup& group) {
    int found = -1;
    for (int i = 0; i < group.size(); ++i) {
      if (group.isSelected(i)) {
        EXPECT_EQ(found, -1) << "two buttons selected";
        found = i;
      }
    }
    return found;
  }

  OptionSelections state;
  WxEventPump pump;
  Form2Reference reference{pump};
  Form2* dialog = nullptr;
};

TEST_F(OptionsDialogTest, CaptionsAndDesignedSelections) {
  EXPECT_EQ(dialog->GetTitle(), "Option Settings");
  const auto check = [](WxOptionGroup& group, const auto& options) {
    ASSERT_EQ(group.size(), static_cast<int>(options.size()));
    for (int i = 0; i < group.size(); ++i) {
      EXPECT_EQ(group.button(i)->GetLabel().utf8_string(),
                options[static_cast<std::size_t>(i)].caption);
      EXPECT_TRUE(group.button(i)->IsEnabled());
    }
  };
  check(dialog->oThumb(), kThumbOptions);
  check(dialog->oPopup(), kPopupOptions);
  check(dialog->oPopaction(), kTriggerOptions);
  EXPECT_EQ(selected(dialog->oThumb()), 2);
  EXPECT_EQ(selected(dialog->oPopup()), 1);
  EXPECT_EQ(selected(dialog->oPopaction()), 1);
  EXPECT_EQ(dialog->GetBackgroundColour(), *wxBLACK);
  EXPECT_EQ(dialog->oThumb().button(0)->GetForegroundColour(), wxColour(255, 255, 0));
  EXPECT_FALSE(dialog->HasFlag(wxRESIZE_BORDER));
  EXPECT_FALSE(dialog->HasFlag(wxMAXIMIZE_BOX));
  EXPECT_FALSE(dialog->HasFlag(wxMINIMIZE_BOX));
}

TEST_F(OptionsDialogTest, EveryCaptionFitsItsDesignedButton) {
  dialog->Show();
  for (WxOptionGroup* group : {&dialog->oThumb(), &dialog->oPopup(), &dialog->oPopaction()}) {
    for (int i = 0; i < group->size(); ++i) {
      wxRadioButton* button = group->button(i);
      EXPECT_LE(button->GetBestSize().GetWidth(), button->GetSize().GetWidth() + 2)
          << button->GetLabel();
    }
  }
}

TEST_F(OptionsDialogTest, ButtonsSitInsideTheirFrames) {
  dialog->Show();
  std::vector<wxRect> frames;
  for (wxWindow* child : dialog->GetChildren()) {
    if (auto* box = dynamic_cast<wxStaticBox*>(child)) frames.push_back(box->GetRect());
  }
  ASSERT_EQ(frames.size(), 3u);
  const auto inside = [&](WxOptionGroup& group, std::size_t frame) {
    for (int i = 0; i < group.size(); ++i) {
      EXPECT_TRUE(frames[frame].Contains(group.button(i)->GetRect()))
          << group.button(i)->GetLabel();
    }
  };
  inside(dialog->oThumb(), 0);
  inside(dialog->oPopup(), 1);
  inside(dialog->oPopaction(), 2);
}

TEST_F(OptionsDialogTest, SelectingFullSizeThumbnailMovesThePopup) {
  dialog->oThumb().select(4);
  EXPECT_EQ(state.ThumbIndex, 4);
  EXPECT_EQ(state.PopupIndex, 2);
  EXPECT_EQ(selected(dialog->oPopup()), 2);
  EXPECT_EQ(enabled(dialog->oPopup()), (std::vector<bool>{false, false, true, true}));
  dialog->oPopup().select(3);
  EXPECT_EQ(enabled(dialog->oThumb()), (std::vector<bool>(5, true)));
  dialog->oPopaction().select(0);
  EXPECT_EQ(state.PopupActionIndex, 0);
  EXPECT_EQ(selected(dialog->oPopaction()), 0);
}

TEST_F(OptionsDialogTest, DisabledButtonCannotBeChosen) {
  dialog->oPopup().select(0);
  ASSERT_FALSE(dialog->oThumb().button(4)->IsEnabled());
  dialog->oThumb().clicked(4);
  EXPECT_EQ(state.ThumbIndex, 2);
}

TEST_F(OptionsDialogTest, CloseHidesAndStopsTheTimer) {
  reference.showModeless();
  ASSERT_TRUE(test::waitFor([&] { return reference.isVisible(); }));
  EXPECT_TRUE(dialog->timer1().enabled());
  dialog->Close();
  EXPECT_FALSE(reference.isVisible());
  EXPECT_FALSE(dialog->timer1().enabled());
  EXPECT_FALSE(dialog->IsBeingDeleted());
}

TEST_F(OptionsDialogTest, UnloadedDialogReportsNotVisible) {
  reference.showModeless();
  reference.unload();
  EXPECT_FALSE(reference.isVisible());
  reference.hide();
  reference.unload();
  EXPECT_FALSE(reference.isVisible());
}

class ShortTimerDialogTest : public OptionsDialogTest {
 protected:
  int timeoutMs() const override { return 300; }
};

TEST_F(ShortTimerDialogTest, TimerHidesTheDialogAndEndsTheWait) {
  reference.showModeless();
  // The same wait start-up uses: it must return once the timer has hidden the dialog.
  while (reference.isVisible()) pump.waitForEvents();
  EXPECT_FALSE(dialog->IsShown());
  EXPECT_FALSE(dialog->timer1().enabled());
}

}  // namespace
}  // namespace selvara
