// Fuzzes the command-line splitter: whatever the text, the result keeps its promises.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "startup/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int maxArgs = data[0] % 12;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  const auto args = selvara::GetCommandLine(text, "\"", maxArgs);
  if (args.empty() || !args[0].empty()) std::abort();
  if (args.size() > static_cast<std::size_t>(maxArgs) + 1) std::abort();
  std::size_t kept = 0;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i].empty()) std::abort();
    kept += args[i].size();
  }
  // Arguments are made of the text's own characters, never more of them.
  if (kept > text.size()) std::abort();

  // A list of arguments without quotes comes back unchanged through the formed text.
  std::vector<std::string> list;
  std::string current;
  for (const char c : text) {
    if (c == '\n') {
      list.push_back(current);
      current.clear();
    } else if (c != '"') {
      current += c;
    }
  }
  list.push_back(current);
  std::vector<std::string> expected{""};
  for (const auto& item : list) {
    if (!item.empty()) expected.push_back(item);
  }
  if (selvara::GetCommandLine(selvara::commandLineText(list), "\"", 1000) != expected) {
    std::abort();
  }
  return 0;
}
