// The program's single run state.
#include "startup/web_window.h"

namespace selvara {

RunState& WebWindow() {
  static RunState state;
  return state;
}

}  // namespace selvara
