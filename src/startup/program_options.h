// The few command-line words the program answers itself, before any window opens.
#pragma once

#include <string>
#include <vector>

namespace selvara {

enum class EarlyAction { Run, PrintHelp, PrintVersion };

// `--help`/`-h` and `--version`, when they are the only argument; every other argument goes to
// the splitter unchanged.
EarlyAction earlyAction(const std::vector<std::string>& arguments);

std::string usageText(const std::string& programName);

}  // namespace selvara
