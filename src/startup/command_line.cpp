// The command-line splitter: "/" and tab separate, double quotes group.
#include "startup/command_line.h"

#include <algorithm>

namespace selvara {

std::vector<std::string> GetCommandLine(std::string_view text, std::string_view quoteChar,
                                        int maxArgs) {
  if (maxArgs < 0) maxArgs = 0;
  std::vector<std::string> args(static_cast<std::size_t>(maxArgs) + 1);
  std::size_t count = 0;
  bool inArg = false;
  bool inQuote = false;
  const char quote = quoteChar.empty() ? '\0' : quoteChar.front();

  for (const char c : text) {
    if (!quoteChar.empty() && c == quote) {
      inQuote = !inQuote;
      continue;
    }
    if (!inQuote && (c == '/' || c == '\t')) {
      inArg = false;
      continue;
    }
    if (!inArg) {
      if (count == static_cast<std::size_t>(maxArgs)) break;
      ++count;
      inArg = true;
    }
    args[count].push_back(c);
  }
  args.resize(count + 1);
  return args;
}

std::string commandLineText(const std::vector<std::string>& arguments) {
  std::string text;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) text += '/';
    text += '"';
    text += arguments[i];
    text += '"';
  }
  return text;
}

std::vector<std::string> anchorFirstArgument(std::vector<std::string> arguments,
                                             const std::string& currentFolder) {
  if (arguments.empty() || arguments.front().empty() || arguments.front().front() == '/' ||
      currentFolder.empty()) {
    return arguments;
  }
  std::string folder = currentFolder;
  if (folder.back() != '/') folder += '/';
  arguments.front() = folder + arguments.front();
  return arguments;
}

bool argumentCarriesQuote(const std::vector<std::string>& arguments) {
  return std::any_of(arguments.begin(), arguments.end(),
                     [](const std::string& a) { return a.find('"') != std::string::npos; });
}

}  // namespace selvara
