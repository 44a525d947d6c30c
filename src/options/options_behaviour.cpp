// The options dialog's timer and close handlers.
#include "options/options_behaviour.h"

namespace selvara {

void optionsTimer1_Timer(Timer& timer, OptionsDialog& dialog) {
  timer.setEnabled(false);
  dialog.hide();
}

void optionsForm_Unload(Timer& timer, OptionsDialog& dialog) {
  timer.setEnabled(false);
  dialog.hide();
}

}  // namespace selvara
