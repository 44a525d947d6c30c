// The program's command line as Linux programs read theirs: options, "--", at most one folder.
#pragma once

#include <string>
#include <vector>

namespace selvara {

enum class EarlyAction { Run, PrintHelp, PrintVersion, Refuse };

struct ProgramOptions {
  EarlyAction action = EarlyAction::Run;
  std::string refusal;               // one line saying what is wrong, for Refuse
  std::vector<std::string> folders;  // the card set folder, when there is one
};

// `--help`/`-h` and `--version` anywhere before a "--"; any other argument that starts with "-"
// before it is an unknown option, which is refused first. More than one folder is refused.
ProgramOptions readProgramOptions(const std::vector<std::string>& arguments);

std::string usageText(const std::string& programName);

// The failure report for a card set folder that `status` (0, or the error number of looking it
// up as a folder) says cannot be shown; empty when it can.
std::string setFolderRefusal(const std::string& folder, int status);

}  // namespace selvara
