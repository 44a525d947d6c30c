// Fuzzes the command-line splitter: whatever the text, the result keeps its promises, and a list
// of arguments without quotes comes back unchanged through the text formed from it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "startup/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int maxArgs = data[0] % 12;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  const auto args = selvara::GetCommandLine(text, "\"", maxArgs);
  std::size_t kept = 0;  // arguments are made of the text's own characters, never more of them
  for (std::size_t i = 1; i < args.size(); ++i)
    kept += args[i].empty() ? text.size() + 1 : args[i].size();
  if (args.empty() || !args[0].empty() || args.size() > std::size_t(maxArgs) + 1 ||
      kept > text.size())
    std::abort();

  std::vector<std::string> list, expected{""};
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::erase(line, '"');
    list.push_back(line);
    if (!line.empty()) expected.push_back(line);
  }
  if (selvara::GetCommandLine(selvara::commandLineText(list), "\"", 1000) != expected) std::abort();
  return 0;
}
