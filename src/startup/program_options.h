// The program's command line as Linux programs read theirs: options, "--", at most one folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace selvara {

enum class EarlyAction { Run, PrintHelp, PrintVersion, Refuse };

struct ProgramOptions {
  EarlyAction action = EarlyAction::Run;
  std::string refusal;               // one line saying what is wrong, for Refuse
  std::vector<std::string> folders;  // the card set folder, when there is one
  bool askForFolder = false;         // `--choose-folder` and no folder: ask the user for one
  // The text for the splitter when the system handed one over and it is used as it came.
  std::optional<std::string> commandText;
};

// `--help`/`-h`, `--version` and `--choose-folder` anywhere before a "--"; any other argument
// that starts with "-" before it is an unknown option, which is refused first. More than one
// folder is refused. `--choose-folder`, which the desktop's entry passes with the folder it was
// given or, started from the menu, with none, asks for the folder only when none is given.
ProgramOptions readProgramOptions(const std::vector<std::string>& arguments);

// The same from what the system hands over. Where that is one text (`wholeText`, on Windows),
// the text after the program's name goes to the splitter unchanged, spaces and all, and its first
// argument is the folder; only a text that starts with an option is read as `arguments` are.
ProgramOptions readProgramOptions(const std::vector<std::string>& arguments,
                                  const std::optional<std::string>& wholeText);

std::string usageText(const std::string& programName);

// The card set that a folder chosen in the folder chooser stands for: the folder itself, or the
// set whose `data` folder was chosen (a folder named data without a data folder of its own).
// GTK's chooser needs this: when a set's path is typed into its location field, Enter accepts the
// field's completion of the set's only sub-folder, its data folder, and chooses that.
std::string cardSetOfChoice(const std::string& chosen);

// The failure report for a card set folder that `status` (0, or the error number of looking it
// up as a folder) says cannot be shown; empty when it can.
std::string setFolderRefusal(const std::string& folder, int status);

}  // namespace selvara
