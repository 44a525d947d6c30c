// What the viewer does when the web engine's process that draws the gallery ends by itself:
// load the page again once, and if that does not hold, say so instead of showing a dead picture.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace selvara {

// Why the page's process ended without the program asking.
enum class EngineLoss { kCrashed, kMemoryLimit };

// A process that dies again this soon after the page was loaded anew would die on every load.
inline constexpr std::chrono::seconds kEngineRetryWindow{30};

struct EngineLossStep {
  bool reload = false;  // otherwise the viewer gives up and shows `message` in its place
  std::string message;  // one line for standard error, and the window's text on giving up
};

class EngineRecovery {
 public:
  using Clock = std::chrono::steady_clock;
  // `setName` is the card set the page shows, as valid UTF-8.
  EngineLossStep engineLost(EngineLoss loss, const std::string& setName, Clock::time_point now);

 private:
  std::optional<Clock::time_point> m_lastReload;
  bool m_gaveUp = false;
};

}  // namespace selvara
