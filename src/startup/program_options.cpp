// The program's own command-line words and the checks made before any window opens.
#include "startup/program_options.h"

#include <cstring>

#include "platform/error_report.h"
#include "platform/file_services.h"
#include "platform/paths.h"
#include "startup/command_line.h"

namespace selvara {

ProgramOptions readProgramOptions(const std::vector<std::string>& arguments) {
  ProgramOptions options;
  bool help = false;
  bool version = false;
  bool choose = false;
  bool optionsEnded = false;
  for (const std::string& argument : arguments) {
    if (optionsEnded || argument.empty() || argument.front() != '-') {
      options.folders.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--help" || argument == "-h") {
      help = true;
    } else if (argument == "--version") {
      version = true;
    } else if (argument == "--choose-folder") {
      choose = true;
    } else {
      options.action = EarlyAction::Refuse;
      options.refusal = "unknown option '" + argument + "'";
      return options;
    }
  }
  options.askForFolder = choose && options.folders.empty();
  if (help) {
    options.action = EarlyAction::PrintHelp;
  } else if (version) {
    options.action = EarlyAction::PrintVersion;
  } else if (options.folders.size() > 1) {
    options.action = EarlyAction::Refuse;
    options.refusal = "one card set folder at a time; not used:";
    for (std::size_t i = 1; i < options.folders.size(); ++i) {
      options.refusal += " '" + options.folders[i] + "'";
    }
  }
  return options;
}

ProgramOptions readProgramOptions(const std::vector<std::string>& arguments,
                                  const std::optional<std::string>& wholeText) {
  if (!wholeText) return readProgramOptions(arguments);
  const std::string_view text = textAfterProgramName(*wholeText);
  if (text.starts_with('-')) return readProgramOptions(arguments);
  ProgramOptions options;
  options.commandText = std::string(text);
  const std::vector<std::string> split = GetCommandLine(text, "\"", 1);
  options.folders.assign(split.begin() + 1, split.end());
  return options;
}

std::string usageText(const std::string& programName) {
  return "Usage: " + programName +
         " [--choose-folder] [--] [CARD-SET-FOLDER]\n"
         "Shows the cards of CARD-SET-FOLDER (its data/ folder holds one folder per card) as a\n"
         "gallery; every card opens enlarged beside the mouse.\n"
         "\n"
         "  -h, --help           show this help and exit\n"
         "      --version        show the version and exit\n"
         "      --choose-folder  without CARD-SET-FOLDER, ask for one in a folder chooser\n"
         "      --               end of options: a folder after it may begin with '-'\n";
}

std::string cardSetOfChoice(const std::string& chosen) {
  // Cut as text: a path object on Windows would read the UTF-8 name in the system's code page.
  const std::size_t cut = chosen.rfind(kPathSeparator);
  if (cut == std::string::npos || chosen.compare(cut + 1, std::string::npos, "data") != 0 ||
      folderStatus(chosen + kPathSeparator + "data") == 0) {
    return chosen;
  }
  return chosen.substr(0, cut == 0 ? 1 : cut);
}

std::string setFolderRefusal(const std::string& folder, int status) {
  if (status == 0) return {};
  return failureText(status, std::strerror(status),
                     "Could not open the card set folder \"" + folder + "\".");
}

}  // namespace selvara
