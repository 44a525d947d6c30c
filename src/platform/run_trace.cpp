// Run moments on standard error, stamped with the system's monotonic clock.
#include "platform/run_trace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace selvara {

void traceMoment(const char* what) {
  static const bool enabled = std::getenv("SELVARA_TRACE") != nullptr;
  if (!enabled) return;
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(since).count();
  // A trace line that cannot be written has nowhere else to go, and must not stop the program.
  (void)std::fprintf(stderr, "selvara-trace: %s %lld.%06lld\n", what,
                     static_cast<long long>(micros / 1000000),
                     static_cast<long long>(micros % 1000000));
  (void)std::fflush(stderr);
}

}  // namespace selvara
