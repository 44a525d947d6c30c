// Window-manager hints that wxWidgets does not offer for dialogs.
#pragma once

class wxTopLevelWindow;

namespace selvara {

// Keeps the window out of the task bar and the pager.
void skipTaskbar(wxTopLevelWindow* window);

}  // namespace selvara
