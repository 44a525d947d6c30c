// The program's own command-line words and the checks made before any window opens.
#include "startup/program_options.h"

#include <cstring>
#include <filesystem>

#include "platform/error_report.h"
#include "platform/file_services.h"

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
  const std::filesystem::path folder(chosen);
  if (folder.filename() != "data" || folderStatus((folder / "data").string()) == 0) return chosen;
  return folder.parent_path().string();
}

std::string setFolderRefusal(const std::string& folder, int status) {
  if (status == 0) return {};
  return failureText(status, std::strerror(status),
                     "Could not open the card set folder \"" + folder + "\".");
}

}  // namespace selvara
