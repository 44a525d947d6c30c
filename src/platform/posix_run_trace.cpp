// Run moments on standard error, stamped with the monotonic clock.
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/run_trace.h"

namespace selvara {

void traceMoment(const char* what) {
  static const bool enabled = std::getenv("SELVARA_TRACE") != nullptr;
  if (!enabled) return;
  timespec now{};
  // Fails only for a clock the system lacks or a bad address; Linux always has this one.
  (void)::clock_gettime(CLOCK_MONOTONIC, &now);
  // A trace line that cannot be written has nowhere else to go, and must not stop the program.
  (void)std::fprintf(stderr, "selvara-trace: %s %lld.%06ld\n", what,
                     static_cast<long long>(now.tv_sec), now.tv_nsec / 1000);
  (void)std::fflush(stderr);
}

}  // namespace selvara
