// Lets window events run during a long scan without paying for a pump after every entry.
#pragma once

#include <chrono>

#include "platform/toolkit.h"

namespace selvara {

class ScanPump {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kInterval{4};

  explicit ScanPump(EventPump& pump) : m_pump(pump), m_last(Clock::now()) {}

  // Pumps pending events when kInterval has passed since the last pump.
  void operator()() {
    const auto now = Clock::now();
    if (now - m_last < kInterval) return;
    m_pump.pumpPending();
    m_last = Clock::now();
  }

 private:
  EventPump& m_pump;
  Clock::time_point m_last;
};

}  // namespace selvara
