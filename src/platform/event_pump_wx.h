// The event pump on wxWidgets: pending events, and a blocking wait in a nested event loop.
#pragma once

#include <wx/evtloop.h>
#include <wx/timer.h>

#include <functional>
#include <utility>

#include "platform/toolkit.h"

namespace selvara {

class WxEventPump : public EventPump {
 public:
  void pumpPending() override;
  // Runs a nested event loop until wake() is called; returns at once if it already was.
  void waitForEvents() override;
  void wake();

 private:
  wxGUIEventLoop* m_loop = nullptr;
  bool m_woken = false;
};

// A wxTimer behind the Timer interface, calling `onTick` on every tick.
class WxTimer : public Timer, private wxTimer {
 public:
  template <typename F>
  WxTimer(int intervalMs, F onTick) : m_intervalMs(intervalMs), m_onTick(std::move(onTick)) {}
  void setEnabled(bool enabled) override;
  bool enabled() const { return IsRunning(); }

 private:
  void Notify() override { m_onTick(); }
  int m_intervalMs;
  std::function<void()> m_onTick;
};

}  // namespace selvara
