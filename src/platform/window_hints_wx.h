// Window-manager hints that wxWidgets does not offer for dialogs.
#pragma once

class wxTopLevelWindow;

namespace selvara {

// A dialog's hints: out of the task bar and the pager, and only moving and closing offered by
// the window manager (no minimise, maximise or resize).
void dialogWindowHints(wxTopLevelWindow* window);

}  // namespace selvara
