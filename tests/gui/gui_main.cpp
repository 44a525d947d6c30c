// Runs the GUI tests inside a real wxWidgets application on the display.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/log.h>

#include "gui_wait.h"
#include "platform/event_pump_wx.h"
#include "viewer/browser_module_wx.h"

namespace selvara::test {

bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  WxEventPump pump;  // events run as in the program's own waits
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    pump.pumpPending();
    wxMilliSleep(2);
  }
  return true;
}

}  // namespace selvara::test

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv)) return 2;
  // A log box would block a run that nobody watches.
  delete wxLog::SetActiveTarget(new wxLogStderr);
  wxInitAllImageHandlers();
#ifdef SELVARA_TEST_BROWSER_MODULE  // where the browser is a module of its own, not linked in
  selvara::setBrowserModuleFile(SELVARA_TEST_BROWSER_MODULE);
#endif
  const int result = RUN_ALL_TESTS();
  wxEntryCleanup();
  return result;
}
