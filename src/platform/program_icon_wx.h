// The program icon, a small fan of cards, in the sizes the desktop asks for.
#pragma once

#include <wx/iconbndl.h>

namespace selvara {

wxIconBundle programIcons();

}  // namespace selvara
