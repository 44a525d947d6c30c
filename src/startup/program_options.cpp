// The program's own command-line words.
#include "startup/program_options.h"

namespace selvara {

EarlyAction earlyAction(const std::vector<std::string>& arguments) {
  if (arguments.size() != 1) return EarlyAction::Run;
  if (arguments[0] == "--help" || arguments[0] == "-h") return EarlyAction::PrintHelp;
  if (arguments[0] == "--version") return EarlyAction::PrintVersion;
  return EarlyAction::Run;
}

std::string usageText(const std::string& programName) {
  return "Usage: " + programName +
         " [CARD-SET-FOLDER]\n"
         "Shows the cards of CARD-SET-FOLDER (its data/ folder holds one folder per card) as a\n"
         "gallery; every card opens enlarged beside the mouse.\n"
         "\n"
         "  -h, --help     show this help and exit\n"
         "      --version  show the version and exit\n";
}

}  // namespace selvara
