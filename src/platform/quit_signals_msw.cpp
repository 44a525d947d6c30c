// Stopping the program from outside on Windows: the session's end (log-off, shutdown) and, when
// the program has a console, its Ctrl+C, Ctrl+Break and close. A plain `taskkill` closes the
// windows, which the windows handle as the user's close.
#include <wx/app.h>

#include <atomic>

#include "platform/quit_signals_wx.h"
#include "platform/windows/win32.h"

namespace selvara {
namespace {

std::function<void()>& handler() {
  static std::function<void()> onSignal;
  return onSignal;
}

// Runs on a thread of the system's own: the handler is passed to the user-interface thread, which
// ends the process once it has cleaned up.
BOOL WINAPI consoleEvent(DWORD event) {
  static std::atomic<bool> passed{false};
  if (wxTheApp == nullptr) return FALSE;
  if (!passed.exchange(true)) wxTheApp->CallAfter([] { handler()(); });
  // NOTE: after a console's close, log-off or shutdown event the system ends the process as soon
  // as this returns; it waits some seconds for that, which the clean-up needs far less of.
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
    for (int waited = 0; waited < 50; ++waited) ::Sleep(100);
  }
  return TRUE;
}

}  // namespace

void onQuitSignals(std::function<void()> onSignal) {
  handler() = std::move(onSignal);
  // Windows sends the session's end to the program's windows; wxWidgets passes it on once.
  wxTheApp->Bind(wxEVT_END_SESSION, [](wxCloseEvent& /*event*/) { handler()(); });
  if (::GetConsoleWindow() != nullptr) ::SetConsoleCtrlHandler(consoleEvent, TRUE);
}

}  // namespace selvara
