// The command line as the system hands it to the program, and the folder it was started in.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace selvara {

struct SystemCommandLine {
  // The arguments after the program's name, as UTF-8; on Windows cut by the system's own rules.
  std::vector<std::string> arguments;
  // On a system that hands the program one text (Windows): that whole text, the program's name
  // included, as UTF-8.
  std::optional<std::string> text;
};

// `argc` and `argv` are main's; Windows reads its own wide-character command line instead, and
// there a program started from a console writes to that console from here on.
SystemCommandLine systemCommandLine(int argc, char** argv);

// The current folder as UTF-8, or nothing when there is none.
std::string currentFolder();

}  // namespace selvara
