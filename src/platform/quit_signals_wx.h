// Stopping the program from outside (a terminal's Ctrl+C, kill, a session logout).
#pragma once

#include <functional>

namespace selvara {

// Runs `onSignal` from the event loop when SIGINT, SIGTERM, SIGHUP, SIGUSR1 or SIGUSR2 arrives.
void onQuitSignals(std::function<void()> onSignal);

}  // namespace selvara
