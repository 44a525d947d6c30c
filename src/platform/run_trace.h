// Moments of a run (options closed, gallery loaded) written to standard error when the
// environment sets SELVARA_TRACE, so that the program's speed can be measured from outside.
#pragma once

namespace selvara {

// Writes "selvara-trace: WHAT SECONDS" with the seconds of the system's monotonic clock.
void traceMoment(const char* what);

}  // namespace selvara
