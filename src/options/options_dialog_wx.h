// The options dialog on wxWidgets, and the program's reference to it.
#pragma once

#include <wx/dialog.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/weakref.h>

#include <functional>
#include <utility>
#include <vector>

#include "options/option_table.h"
#include "platform/event_pump_wx.h"
#include "platform/twips.h"

namespace selvara {

// An option group made of radio buttons; selecting from code raises the click handler too.
class WxOptionGroup : public OptionGroup {
 public:
  void add(wxRadioButton* button) { m_buttons.push_back(button); }
  void setHandler(std::function<void(int)> handler) { m_handler = std::move(handler); }
  void setEnabled(int index, bool enabled) override;
  bool isSelected(int index) const override;
  void select(int index) override;
  // What a user's click does: nothing on a disabled button.
  void clicked(int index);
  wxRadioButton* button(int index) const { return m_buttons.at(static_cast<std::size_t>(index)); }
  int size() const { return static_cast<int>(m_buttons.size()); }

 private:
  void refocus(wxRadioButton* target);

  std::vector<wxRadioButton*> m_buttons;
  std::function<void(int)> m_handler;
  bool m_focusLost = false;
};

class Form2Reference;

class Form2 : public wxDialog {
 public:
  Form2(OptionSelections& state, Form2Reference& reference, int timeoutMs);

  WxOptionGroup& oThumb() { return m_oThumb; }
  WxOptionGroup& oPopup() { return m_oPopup; }
  WxOptionGroup& oPopaction() { return m_oPopaction; }
  WxTimer& timer1() { return m_timer1; }

 private:
  // An option, the frame that holds it, and its designed rectangle in dialog coordinates.
  struct PlacedOption {
    wxRadioButton* button;
    std::size_t frame;
    Rect room;
  };
  void buildControls();
  void addGroup(WxOptionGroup& group, const std::vector<wxStaticBox*>& boxes, std::size_t frame,
                const auto& options, const auto& rects, int selected,
                std::vector<PlacedOption>& placed);

  OptionSelections& m_state;
  Form2Reference& m_reference;
  WxOptionGroup m_oThumb;
  WxOptionGroup m_oPopup;
  WxOptionGroup m_oPopaction;
  WxTimer m_timer1;
};

// The program's global reference to the dialog: after the dialog is unloaded it reports not
// visible, and hiding or unloading it again does nothing.
class Form2Reference : public OptionsDialog {
 public:
  explicit Form2Reference(WxEventPump& pump) : m_pump(pump) {}
  void attach(Form2* dialog) { m_dialog = dialog; }
  Form2* get() const { return m_dialog.get(); }

  void showModeless() override;
  bool isVisible() const override;
  void hide() override;
  void unload() override;

 private:
  wxWeakRef<Form2> m_dialog;
  WxEventPump& m_pump;
  // NOTE: a dialog hidden before the window system has mapped it is marked shown again by the
  // toolkit when the late map event arrives, though it stays off screen; what the program did
  // last decides whether the dialog counts as visible.
  bool m_hidden = false;
};

}  // namespace selvara
