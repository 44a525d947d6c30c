// The start-up sequence.
#include "startup/startup.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "gallery/display_settings.h"
#include "gallery/markup_escape.h"
#include "gallery/page_template.h"
#include "gallery/page_writer.h"
#include "platform/file_services.h"
#include "platform/paths.h"
#include "startup/app_info.h"
#include "startup/command_line.h"

namespace selvara {

std::string setNameOf(const std::string& argument) {
  const std::string_view path = argument;
  std::string_view last;  // the path's last name other than "."
  for (std::size_t at = 0; at <= path.size();) {
    const std::size_t end = std::min(path.find(kPathSeparator, at), path.size());
    if (const auto name = path.substr(at, end - at); !name.empty() && name != ".") last = name;
    at = end + 1;
  }
  if (last.empty() && path.starts_with(kPathSeparator)) return std::string(path.substr(0, 1));
  if (!last.empty() && last != "..") return std::string(last);
  // ".." (or "." alone) names whatever folder it leads to on the file system. The argument named
  // an existing folder; should it be gone since, the name stays as typed.
  std::error_code error;
  const std::filesystem::path resolved = std::filesystem::canonical(path, error);
  if (error) return std::string(last.empty() ? path : last);
  return resolved.has_filename() ? resolved.filename().string() : resolved.string();
}

std::string viewerCaption(const std::string& setName, const std::string& version) {
  return "SET - " + toValidUtf8(setName) + " - Selvara Card Viewer - Version " + version;
}

std::string headingLine(const std::string& setName, const std::string& summary) {
  return "<center><font size='3' color='yellow'> Cards " + escapeHtml(setName) + " " + summary +
         " </font></center><br><br>";
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
  state.SetName = setNameOf(argument);
  state.DataPath = argument + kPathSeparator + "data" + kPathSeparator;
  context.viewer.setCaption(viewerCaption(state.SetName, state.Version));
  context.viewer.setCardSet(toValidUtf8(state.SetName));
  state.SettingsText = headingLine(state.SetName, state.SettingsText);

  Command1_Click(state, context.viewer, context.pump);
  context.viewer.quitTimer().setEnabled(true);
}

}  // namespace selvara
