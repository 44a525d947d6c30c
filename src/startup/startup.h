// The start-up sequence of the viewer window: options, identity, template, page.
#pragma once

#include <string>

#include "platform/executable_info.h"
#include "platform/toolkit.h"
#include "startup/web_window.h"

namespace selvara {

struct StartupContext {
  OptionsDialog& dialog;
  EventPump& pump;
  Viewer& viewer;
  ExecutableInfo executable;
  std::string pageFolder;  // made for this run; becomes MyPath
  std::string decimalMark;
  std::string commandLine;  // the text after the program's name
};

// The name of the folder that `argument` names, whatever trailing separators, "." or ".." it was
// typed with; "/" for the root.
std::string setNameOf(const std::string& argument);

// The window caption for a card set.
std::string viewerCaption(const std::string& setName, const std::string& version);

// The page heading for a card set, around the settings summary.
std::string headingLine(const std::string& setName, const std::string& summary);

// Runs start-up. Returns without writing a page when no card set was given (Quitting is then
// true). Throws FileError when the program folder cannot hold the page.
void Form_Load(RunState& state, StartupContext& context);

}  // namespace selvara
