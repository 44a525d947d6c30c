// The options dialog: three frames of option buttons placed as designed, black and yellow.
#include "platform/wx_options_dialog.h"

#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/statbox.h>

#include "options/dialog_layout.h"
#include "options/options_behaviour.h"
#include "options/size_rules.h"
#include "platform/gtk_window_hints.h"
#include "platform/program_icon.h"
#include "platform/run_trace.h"
#include "viewer/resize_rule.h"

namespace selvara {
namespace {

// Room the radio indicator and its gap take before the caption, in pixels at 96 dpi.
constexpr int kIndicatorWidth = 22;

wxRect toPixels(const wxWindow& window, const TwipRect& rect) {
  return {window.FromDIP(wxPoint(twipsToPixels(rect.left), twipsToPixels(rect.top))),
          window.FromDIP(wxSize(twipsToPixels(rect.width), twipsToPixels(rect.height)))};
}

void paint(wxWindow* window) {
  window->SetBackgroundColour(wxColour(0, 0, 0));
  window->SetForegroundColour(wxColour(255, 255, 0));
}

}  // namespace

void WxOptionGroup::setEnabled(int index, bool enabled) { button(index)->Enable(enabled); }

bool WxOptionGroup::isSelected(int index) const { return button(index)->GetValue(); }

void WxOptionGroup::select(int index) {
  // The toolkit raises no event for a selection made from code; the program's rules rely on one.
  button(index)->SetValue(true);
  if (m_handler) m_handler(index);
}

void WxOptionGroup::clicked(int index) {
  if (!button(index)->IsEnabled()) return;
  if (m_handler) m_handler(index);
}

Form2::Form2(RunState& state, Form2Reference& reference, int timeoutMs)
    : wxDialog(nullptr, wxID_ANY, kOptionsCaption, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU | wxDIALOG_NO_PARENT),
      m_state(state),
      m_reference(reference),
      m_timer1(timeoutMs, [this] { optionsTimer1_Timer(m_timer1, m_reference); }) {
  paint(this);
  SetIcons(programIcons());
  dialogWindowHints(this);
  buildControls();
  SetClientSize(FromDIP(
      wxSize(twipsToPixels(kDialogClientWidthTwips), twipsToPixels(kDialogClientHeightTwips))));
  Centre();

  m_oThumb.setHandler([this](int i) { oThumb_Click(m_state, m_oPopup, i); });
  m_oPopup.setHandler([this](int i) { oPopup_Click(m_state, m_oThumb, i); });
  m_oPopaction.setHandler([this](int i) { oPopaction_Click(m_state, i); });

  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { optionsForm_Unload(m_timer1, m_reference); });
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_ESCAPE) {
      Close();
    } else {
      event.Skip();
    }
  });
  // The dialog's timer runs from the moment the dialog exists.
  m_timer1.setEnabled(true);
}

void Form2::buildControls() {
  chooseFont();
  for (const FrameLayout& frame : kFrames) {
    const wxRect rect = toPixels(*this, frame.rect);
    auto* box = new wxStaticBox(this, wxID_ANY, frame.caption, rect.GetPosition(), rect.GetSize());
    paint(box);
  }
  addGroup(m_oThumb, kThumbLayout, kInitialThumb);
  addGroup(m_oPopup, kPopupLayout, kInitialPopup);
  addGroup(m_oPopaction, kPopactionLayout, kInitialPopaction);
}

void Form2::addGroup(WxOptionGroup& group, const auto& layout, int selected) {
  for (std::size_t i = 0; i < layout.size(); ++i) {
    const wxRect rect = toPixels(*this, dialogRect(layout[i]));
    auto* button = new wxRadioButton(this, wxID_ANY, layout[i].caption, rect.GetPosition(),
                                     rect.GetSize(), i == 0 ? wxRB_GROUP : 0);
    paint(button);
    const int index = static_cast<int>(i);
    button->Bind(wxEVT_RADIOBUTTON, [&group, index](wxCommandEvent&) { group.clicked(index); });
    group.add(button);
  }
  group.button(selected)->SetValue(true);
}

// The largest font at which every caption fits the width its button was designed with.
void Form2::chooseFont() {
  wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
  wxClientDC dc(this);
  // Counted in half points so that every size tried is exact.
  for (int halfPoints = 20; halfPoints >= 12; --halfPoints) {
    font.SetFractionalPointSize(halfPoints / 2.0);
    dc.SetFont(font);
    bool fits = true;
    auto check = [&](const auto& layout) {
      for (const OptionLayout& option : layout) {
        const int room = FromDIP(twipsToPixels(option.rect.width) - kIndicatorWidth);
        if (dc.GetTextExtent(option.caption).GetWidth() > room) fits = false;
      }
    };
    check(kThumbLayout);
    check(kPopupLayout);
    check(kPopactionLayout);
    if (fits) break;
  }
  SetFont(font);
}

void Form2Reference::showModeless() {
  if (Form2* dialog = get()) dialog->Show();
}

bool Form2Reference::isVisible() const {
  const Form2* dialog = get();
  return dialog != nullptr && !dialog->IsBeingDeleted() && dialog->IsShown();
}

void Form2Reference::hide() {
  if (Form2* dialog = get(); dialog != nullptr && dialog->IsShown()) {
    dialog->Hide();
    traceMoment("options-closed");
  }
  m_pump.wake();
}

void Form2Reference::unload() {
  if (Form2* dialog = get()) {
    dialog->timer1().setEnabled(false);
    dialog->Hide();
    dialog->Destroy();
    m_dialog = nullptr;
  }
  m_pump.wake();
}

}  // namespace selvara
