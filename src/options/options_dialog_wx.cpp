// The options dialog: three frames of option buttons placed as designed and scaled to the
// desktop's text, black and yellow.
#include "options/options_dialog_wx.h"

#include <wx/statbox.h>

#include <utility>

#include "options/dialog_layout.h"
#include "options/option_table.h"
#include "options/options_behaviour.h"
#include "platform/control_marks_wx.h"
#include "platform/program_icon_wx.h"
#include "platform/run_trace.h"
#include "platform/text_scale_wx.h"
#include "platform/window_hints_wx.h"

namespace selvara {
namespace {

wxColour yellow() { return {255, 255, 0}; }
// A disabled option's caption: the yellow dimmed, so that it reads as not offered.
wxColour dimmedYellow() { return {128, 128, 0}; }
// Frame lines in a light grey, as the default theme draws them, whatever the theme.
wxColour frameGrey() { return {192, 192, 192}; }

void paint(wxWindow* window) {
  window->SetBackgroundColour(wxColour(0, 0, 0));
  window->SetForegroundColour(yellow());
}

void place(wxWindow* window, const Rect& rect) {
  window->SetSize(rect.left, rect.top, rect.width, rect.height);
}

}  // namespace

void WxOptionGroup::setEnabled(int index, bool enabled) {
  // NOTE: the caption's own colour overrides the toolkit's dimming of a disabled button.
  button(index)->Enable(enabled);
  button(index)->SetForegroundColour(enabled ? yellow() : dimmedYellow());
}

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
  // Markers, frames and the focus ring in colours that stand out on black under any theme.
  paintMarks(this, {yellow(), dimmedYellow(), frameGrey()});
  showFocusAtOnce(this);
  Centre();

  m_oThumb.setHandler([this](int i) { oThumb_Click(m_state, m_oPopup, i); });
  m_oPopup.setHandler([this](int i) { oPopup_Click(m_state, m_oThumb, i); });
  m_oPopaction.setHandler([this](int i) { oPopaction_Click(m_state, i); });

  // Closing the dialog does just what its timer does.
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { optionsTimer1_Timer(m_timer1, m_reference); });
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key == WXK_ESCAPE || key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
      Close();
    } else {
      event.Skip();
    }
  });
  // Kept off the task bar, a minimised dialog could not be found again until its timer fired.
  // NOTE: a hidden dialog can still receive a late "iconized" state from the window manager;
  // restoring it then would show a dialog that was closed.
  Bind(wxEVT_ICONIZE, [this](wxIconizeEvent& event) {
    if (event.IsIconized() && m_reference.isVisible()) Iconize(false);
  });
  // The dialog's timer runs from the moment the dialog exists.
  m_timer1.setEnabled(true);
}

// The controls in the system font, laid out at the scale at which every caption fits.
void Form2::buildControls() {
  std::vector<wxStaticBox*> boxes;
  for (const FrameLayout& frame : kFrames) {
    boxes.push_back(new wxStaticBox(this, wxID_ANY, frame.caption));
    paint(boxes.back());
  }
  std::vector<std::pair<wxWindow*, Rect>> options;
  addGroup(m_oThumb, 0, kThumbOptions, kThumbRects, kInitialThumb, options);
  addGroup(m_oPopup, 1, kPopupOptions, kPopupRects, kInitialPopup, options);
  addGroup(m_oPopaction, 2, kTriggerOptions, kTriggerRects, kInitialTrigger, options);

  std::vector<OptionNeed> needs;
  for (const auto& [button, room] : options) {
    const wxSize best = button->GetBestSize();
    needs.push_back({best.GetWidth(), best.GetHeight(), room});
  }
  const double scale = dialogScale(textScale(), needs);
  for (std::size_t i = 0; i < kFrames.size(); ++i) {
    place(boxes[i], scaledRect(kFrames[i].rect, scale));
  }
  for (const auto& [button, room] : options) place(button, scaledRect(room, scale));
  const Rect client = scaledRect({0, 0, kDialogClientWidthTwips, kDialogClientHeightTwips}, scale);
  SetClientSize(client.width, client.height);
}

void Form2::addGroup(WxOptionGroup& group, std::size_t frame, const auto& options,
                     const auto& rects, int selected,
                     std::vector<std::pair<wxWindow*, Rect>>& placed) {
  for (std::size_t i = 0; i < options.size(); ++i) {
    const wxString caption(options[i].caption.data(), options[i].caption.size());
    auto* button = new wxRadioButton(this, wxID_ANY, caption, wxDefaultPosition, wxDefaultSize,
                                     i == 0 ? wxRB_GROUP : 0);
    paint(button);
    const int index = static_cast<int>(i);
    button->Bind(wxEVT_RADIOBUTTON, [&group, index](wxCommandEvent&) { group.clicked(index); });
    group.add(button);
    placed.emplace_back(button, optionRect(frame, rects, i));
  }
  group.button(selected)->SetValue(true);
}

void Form2Reference::showModeless() {
  m_hidden = false;
  if (Form2* dialog = get()) dialog->Show();
}

bool Form2Reference::isVisible() const {
  const Form2* dialog = get();
  return !m_hidden && dialog != nullptr && !dialog->IsBeingDeleted() && dialog->IsShown();
}

void Form2Reference::hide() {
  m_hidden = true;
  if (Form2* dialog = get(); dialog != nullptr && dialog->IsShown()) {
    dialog->Hide();
    traceMoment("options-closed");
  }
  m_pump.wake();
}

void Form2Reference::unload() {
  m_hidden = true;
  if (Form2* dialog = get()) {
    dialog->timer1().setEnabled(false);
    dialog->Hide();
    dialog->Destroy();
    m_dialog = nullptr;
  }
  m_pump.wake();
}

}  // namespace selvara
