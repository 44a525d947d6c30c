// Closing the viewer: the generated files are deleted and both windows unloaded.
#pragma once

#include "platform/toolkit.h"
#include "startup/web_window.h"

namespace selvara {

struct ShutdownContext {
  Viewer& viewer;
  OptionsDialog& dialog;
  EventPump& pump;
};

// The viewer's unload and terminate: safe to run any number of times.
void Form_Unload(RunState& state, ShutdownContext& context);

// Deletes the two generated files; only ever those two, and only inside the program folder.
void deleteGeneratedFiles(const RunState& state);

// The quit-poll tick of the viewer.
void Timer1_Timer(RunState& state, ShutdownContext& context);

}  // namespace selvara
