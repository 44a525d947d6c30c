// The start-up sequence.
#include "startup/startup.h"

#include "gallery/display_settings.h"
#include "gallery/markup_escape.h"
#include "gallery/page_template.h"
#include "gallery/page_writer.h"
#include "platform/file_services.h"
#include "platform/paths.h"
#include "startup/command_line.h"

namespace selvara {

std::string viewerCaption(const std::string& setName, const std::string& version) {
  return "SET - " + toValidUtf8(setName) + " - Selvara Card Viewer - Version " + version;
}

std::string headingLine(const std::string& setName, const std::string& summary) {
  return "<center><font size='3' color='yellow'> Cards " + escapeHtml(toValidUtf8(setName)) + " " +
         summary + " </font></center><br><br>";
}

void Form_Load(RunState& state, StartupContext& context) {
  if (state.Quitting) return;
  state.Quitting = false;
  state.QuoteChar = "\"";
  state.ThumbIndex = kInitialThumb;
  state.PopupIndex = kInitialPopup;
  state.PopupActionIndex = kInitialTrigger;

  context.dialog.showModeless();
  while (context.dialog.isVisible()) context.pump.waitForEvents();

  resolveDisplaySettings(state, state);
  GetAppInfo(state, context.executable, context.pageFolder, context.decimalMark);
  const std::string templatePath = state.MyPath + kTemplateFileName;
  const int saved = SaveResourceToFile(kTemplateResourceId, kTemplateResourceType, templatePath);
  state.LineText = std::to_string(saved);
  // Said here with its own cause: later the page writer would only find the file missing, or
  // quietly copy a stale one left from an earlier run.
  if (saved != 0) throw FileError(saved, "write", templatePath);
  state.CmdArgs = GetCommandLine(context.commandLine, state.QuoteChar, 1);

  state.SetName.clear();
  if (state.CmdArgs.size() < 2) {
    // No card set: the window opens blank with its design caption.
    state.Quitting = true;
    return;
  }
  const std::string& argument = state.CmdArgs[1];
  const auto separator = argument.rfind(kPathSeparator);
  state.SetName = separator == std::string::npos ? argument : argument.substr(separator + 1);
  state.DataPath = argument + kPathSeparator + "data" + kPathSeparator;
  context.viewer.setCaption(viewerCaption(state.SetName, state.Version));
  context.viewer.setCardSet(toValidUtf8(state.SetName));
  state.SettingsText = headingLine(state.SetName, state.SettingsText);

  Command1_Click(state, context.viewer, context.pump);
  context.viewer.quitTimer().setEnabled(true);
}

}  // namespace selvara
