// The options dialog: three frames of option buttons placed as designed, black and yellow.
#include "options/options_dialog_wx.h"

#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/statbox.h>

#include "options/dialog_layout.h"
#include "options/option_table.h"
#include "options/options_behaviour.h"
#include "options/size_rules.h"
#include "platform/program_icon_wx.h"
#include "platform/run_trace.h"
#include "platform/window_hints_wx.h"

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

Form2::Form2(OptionSelections& state, Form2Reference& reference, int timeoutMs)
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
  addGroup(m_oThumb, 0, kThumbOptions, kThumbRects, kInitialThumb);
  addGroup(m_oPopup, 1, kPopupOptions, kPopupRects, kInitialPopup);
  addGroup(m_oPopaction, 2, kTriggerOptions, kTriggerRects, kInitialTrigger);
}

void Form2::addGroup(WxOptionGroup& group, std::size_t frame, const auto& options,
                     const auto& rects, int selected) {
  for (std::size_t i = 0; i < options.size(); ++i) {
    const wxRect rect = toPixels(*this, dialogRect(frame, rects[i]));
    const wxString caption(options[i].caption.data(), options[i].caption.size());
    auto* button = new wxRadioButton(this, wxID_ANY, caption, rect.GetPosition(), rect.GetSize(),
                                     i == 0 ? wxRB_GROUP : 0);
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
    auto check = [&](const auto& options, const auto& rects) {
      for (std::size_t i = 0; i < options.size(); ++i) {
        const int room = FromDIP(twipsToPixels(rects[i].width) - kIndicatorWidth);
        const wxString caption(options[i].caption.data(), options[i].caption.size());
        if (dc.GetTextExtent(caption).GetWidth() > room) fits = false;
      }
    };
    check(kThumbOptions, kThumbRects);
    check(kPopupOptions, kPopupRects);
    check(kTriggerOptions, kTriggerRects);
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
