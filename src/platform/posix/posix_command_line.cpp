// The command line on POSIX systems: a list of arguments, passed on as the bytes they are.
#include <filesystem>
#include <span>

#include "platform/system_command_line.h"

namespace selvara {

SystemCommandLine systemCommandLine(int argc, char** argv) {
  const std::span<char*> given(argv, static_cast<std::size_t>(argc));
  const auto passed = given.empty() ? given : given.subspan(1);  // without the program's name
  return {std::vector<std::string>(passed.begin(), passed.end()), std::nullopt};
}

std::string currentFolder() {
  std::error_code unknown;  // no current folder: an argument is taken as it stands
  return std::filesystem::current_path(unknown).string();
}

}  // namespace selvara
