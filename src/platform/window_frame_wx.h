// A window's outer size as the user sees it, whoever draws its frame.
#pragma once

#include <wx/gdicmn.h>

class wxTopLevelWindow;

namespace selvara {

// The window's outer size with its title bar and border, drawn by the window manager (X11) or
// by the toolkit itself (client-side decorations, as on Wayland), but without the shadows that
// client-side decorations draw around the window inside its surface.
wxSize visibleFrameSize(const wxTopLevelWindow& window);

}  // namespace selvara
