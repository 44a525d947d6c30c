// Marks on Windows, where the system draws them in colours of its own that stand out on the
// dialog's black under every theme.
#include <wx/statbox.h>
#include <wx/toplevel.h>

#include "platform/control_marks_wx.h"
#include "platform/windows/win32.h"

namespace selvara {

void paintMarks(wxWindow* /*window*/, const MarkColours& /*colours*/) {
  // NOTE: nothing to recolour. Windows draws an option's marker on a white ground and a frame's
  // line in light grey, or in the high-contrast theme's own colours; a themed option button would
  // draw its caption in the theme's text colour, black on black, but wxWidgets draws the caption
  // itself once the button has a colour of its own, as every option of the dialog has.
}

void showFocusAtOnce(wxTopLevelWindow* window) {
  // NOTE: Windows hides the focus ring until a key is pressed, unless told otherwise.
  ::SendMessageW(window->GetHWND(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

wxPoint frameChildOrigin(wxStaticBox* /*frame*/) {
  // Windows places a frame's children from the frame's outer top-left corner, as designed.
  return {0, 0};
}

void captionLabelsFrame(wxStaticBox* /*frame*/) {
  // NOTE: nothing to mend. Windows' accessibility names each option by its own text and the frame
  // by its caption; the caption is labelled to no other control.
}

}  // namespace selvara
