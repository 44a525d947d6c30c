// Window hints on Windows that wxWidgets does not offer for dialogs.
#include <wx/toplevel.h>

#include "platform/window_hints_wx.h"
#include "platform/windows/win32.h"

namespace selvara {

void dialogWindowHints(wxTopLevelWindow* window) {
  // The dialog has no minimise, maximise or sizing border; its window menu offers only what it
  // can do, moving and closing. It stays on the task bar, where Windows keeps a window without an
  // owner, so that it can be found behind other programs' windows.
  HMENU menu = ::GetSystemMenu(window->GetHWND(), FALSE);
  if (menu == nullptr) return;
  for (const UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) {
    ::DeleteMenu(menu, command, MF_BYCOMMAND);
  }
}

}  // namespace selvara
