// Event pumping and timers on wxWidgets.
#include "platform/event_pump_wx.h"

#include <wx/app.h>

namespace selvara {

void WxEventPump::pumpPending() {
  if (wxTheApp == nullptr) return;
  // NOTE: wxMSW's yield dispatches no message outside an active event loop, and start-up runs
  // before the application's own loop: a loop is made active for the while, or the card scan
  // would hold back every window event, a close from outside too, until it ends.
  wxGUIEventLoop loop;
  const wxEventLoopActivator active(
      wxEventLoopBase::GetActive() != nullptr ? wxEventLoopBase::GetActive() : &loop);
  wxTheApp->Yield(true);
}

void WxEventPump::waitForEvents() {
  if (m_woken) {
    m_woken = false;
    return;
  }
  wxGUIEventLoop loop;
  wxGUIEventLoop* outer = m_loop;
  m_loop = &loop;
  loop.Run();
  m_loop = outer;
  m_woken = false;
}

void WxEventPump::wake() {
  if (m_loop != nullptr) {
    m_loop->ScheduleExit();
  } else {
    m_woken = true;
  }
}

void WxTimer::setEnabled(bool enabled) {
  if (enabled) {
    Start(m_intervalMs);
  } else {
    Stop();
  }
}

}  // namespace selvara
