// Shutdown and the quit-poll tick.
#include "startup/shutdown.h"

#include "gallery/page_template.h"
#include "gallery/page_writer.h"
#include "platform/file_services.h"

namespace selvara {
namespace {

void deleteInProgramFolder(const RunState& state, const char* name) {
  // Before the program knows its folder the names would resolve against the current folder,
  // where a file of the same name is the user's, not ours.
  if (state.MyPath.empty()) return;
  // A file that is missing or cannot be deleted stays; closing goes on regardless.
  (void)deleteFile(state.MyPath + name);
}

}  // namespace

void deleteGeneratedFiles(const RunState& state) {
  deleteInProgramFolder(state, kTemplateFileName);
  deleteInProgramFolder(state, kPageFileName);
}

void Form_Unload(RunState& state, ShutdownContext& context) {
  state.Quitting = true;
  context.viewer.quitTimer().setEnabled(false);
  deleteGeneratedFiles(state);
  context.dialog.hide();
  context.dialog.unload();
  context.viewer.unload();
}

void Timer1_Timer(RunState& state, ShutdownContext& context) {
  context.pump.pumpPending();
  if (!state.Quitting) return;
  context.viewer.quitTimer().setEnabled(false);
  deleteInProgramFolder(state, kTemplateFileName);
  context.viewer.unload();
}

}  // namespace selvara
