// The options dialog: three frames of option buttons placed as designed and scaled to the
// desktop's text, black and yellow.
#include "options/options_dialog_wx.h"

#include <wx/statbox.h>

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
  // A disabled button loses the focus, and the keyboard with it: the focus goes to the group's
  // selected button, or to the one the rules select next when that is the one disabled.
  const bool focused = !enabled && wxWindow::FindFocus() == button(index);
  // NOTE: the caption's own colour overrides the toolkit's dimming of a disabled button.
  button(index)->Enable(enabled);
  button(index)->SetForegroundColour(enabled ? yellow() : dimmedYellow());
  if (!focused) return;
  m_focusLost = true;
  for (wxRadioButton* other : m_buttons) {
    if (other->GetValue() && other->IsEnabled()) refocus(other);
  }
}

void WxOptionGroup::refocus(wxRadioButton* target) {
  m_focusLost = false;
  target->SetFocus();
}

bool WxOptionGroup::isSelected(int index) const { return button(index)->GetValue(); }

void WxOptionGroup::select(int index) {
  // The toolkit raises no event for a selection made from code; the program's rules rely on one.
  button(index)->SetValue(true);
  if (m_focusLost) refocus(button(index));
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

// The controls in the system font, laid out at the scale at which every caption fits. Each
// frame holds its options, so that screen readers read them as a group named by its caption.
void Form2::buildControls() {
  std::vector<wxStaticBox*> boxes;
  for (const FrameLayout& frame : kFrames) {
    boxes.push_back(new wxStaticBox(this, wxID_ANY, frame.caption));
    paint(boxes.back());
  }
  std::vector<PlacedOption> options;
  addGroup(m_oThumb, boxes, 0, kThumbOptions, kThumbRects, kInitialThumb, options);
  addGroup(m_oPopup, boxes, 1, kPopupOptions, kPopupRects, kInitialPopup, options);
  addGroup(m_oPopaction, boxes, 2, kTriggerOptions, kTriggerRects, kInitialTrigger, options);

  std::vector<OptionNeed> needs;
  for (const PlacedOption& option : options) {
    const wxSize best = option.button->GetBestSize();
    needs.push_back({best.GetWidth(), best.GetHeight(), option.room});
  }
  const double scale = dialogScale(textScale(), needs);
  for (std::size_t i = 0; i < kFrames.size(); ++i) {
    place(boxes[i], scaledRect(kFrames[i].rect, scale));
    captionLabelsFrame(boxes[i]);
  }
  for (const PlacedOption& option : options) {
    // Designed in dialog coordinates, placed in its frame's.
    const Rect box = scaledRect(kFrames.at(option.frame).rect, scale);
    const wxPoint origin = frameChildOrigin(boxes.at(option.frame));
    Rect rect = scaledRect(option.room, scale);
    rect.left -= box.left + origin.x;
    rect.top -= box.top + origin.y;
    place(option.button, rect);
  }
  const Rect client = scaledRect({0, 0, kDialogClientWidthTwips, kDialogClientHeightTwips}, scale);
  SetClientSize(client.width, client.height);
}

void Form2::addGroup(WxOptionGroup& group, const std::vector<wxStaticBox*>& boxes,
                     std::size_t frame, const auto& options, const auto& rects, int selected,
                     std::vector<PlacedOption>& placed) {
  std::vector<wxRadioButton*> buttons(options.size());
  bool first = true;
  for (const std::size_t i : readingOrder(rects)) {
    const wxString caption(options[i].caption.data(), options[i].caption.size());
    auto* button = new wxRadioButton(boxes.at(frame), wxID_ANY, caption, wxDefaultPosition,
                                     wxDefaultSize, first ? wxRB_GROUP : 0);
    first = false;
    paint(button);
    const int index = static_cast<int>(i);
    button->Bind(wxEVT_RADIOBUTTON, [&group, index](wxCommandEvent&) { group.clicked(index); });
    buttons[i] = button;
    placed.push_back({button, frame, optionRect(frame, rects, i)});
  }
  for (wxRadioButton* button : buttons) group.add(button);
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
