// The program icon on Windows: every size of the icon resource that Explorer shows too.
#include <wx/iconbndl.h>

#include "platform/program_icon_wx.h"
#include "platform/windows/win32.h"

namespace selvara {

wxIconBundle programIcons() {
  // The name the program's resource script gives the icon, in the program's own file.
  return {"selvara_card_viewer", ::GetModuleHandleW(nullptr)};
}

}  // namespace selvara
