// The visible frame on Windows, which the system draws around the window itself.
#include <wx/toplevel.h>

#include "platform/window_frame_wx.h"
#include "platform/windows/win32.h"

namespace selvara {

wxSize visibleFrameSize(const wxTopLevelWindow& window) {
  // NOTE: since Windows 10 a window's outer rectangle counts resize borders that are not drawn;
  // the desktop window manager knows the frame the user sees.
  RECT frame{};
  if (::DwmGetWindowAttribute(window.GetHWND(), DWMWA_EXTENDED_FRAME_BOUNDS, &frame,
                              sizeof frame) != S_OK) {
    return window.GetSize();
  }
  return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace selvara
