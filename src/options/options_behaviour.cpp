// The options dialog's timer handler, which its close runs too.
#include "options/options_behaviour.h"

namespace selvara {

void optionsTimer1_Timer(Timer& timer, OptionsDialog& dialog) {
  timer.setEnabled(false);
  dialog.hide();
}

}  // namespace selvara
