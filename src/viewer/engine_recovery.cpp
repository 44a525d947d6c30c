// The viewer's rule for a web engine process that ends by itself, and what it says.
#include "viewer/engine_recovery.h"

namespace selvara {

EngineLossStep EngineRecovery::engineLost(EngineLoss loss, const std::string& setName,
                                          Clock::time_point now) {
  const std::string what = loss == EngineLoss::kCrashed ? "crashed" : "went over its memory limit";
  const std::string gallery = "the gallery of card set \"" + setName + "\"";
  m_gaveUp = m_gaveUp || (m_lastReload && now - *m_lastReload < kEngineRetryWindow);
  if (m_gaveUp) {
    return {false, "Cannot show " + gallery + ": the web engine that draws it " + what +
                       " again soon after a restart. Closing the viewer and opening the set "
                       "again may help."};
  }
  m_lastReload = now;
  return {true, "The web engine that draws " + gallery + " " + what + "; loading it again."};
}

}  // namespace selvara
