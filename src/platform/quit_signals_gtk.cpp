// Quit signals delivered through GLib, so that the handler runs on the user-interface thread.
#include <glib-unix.h>
#include <signal.h>

#include "platform/quit_signals_wx.h"

namespace selvara {
namespace {

std::function<void()>& handler() {
  static std::function<void()> onSignal;
  return onSignal;
}

gboolean dispatch(gpointer /*userData*/) {
  if (handler()) handler()();
  return G_SOURCE_CONTINUE;
}

}  // namespace

void onQuitSignals(std::function<void()> onSignal) {
  handler() = std::move(onSignal);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGUSR1, SIGUSR2}) {
    g_unix_signal_add(signal, dispatch, nullptr);
  }
}

}  // namespace selvara
