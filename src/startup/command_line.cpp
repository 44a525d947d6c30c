// The command-line splitter: "/" and tab separate, double quotes group.
#include "startup/command_line.h"

#include <algorithm>

#include "platform/paths.h"

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

std::string_view textAfterProgramName(std::string_view commandLine) {
  std::size_t end = 0;
  if (commandLine.starts_with('"')) {
    end = std::min(commandLine.find('"', 1), commandLine.size() - 1) + 1;
  } else {
    end = std::min(commandLine.find_first_of(" \t"), commandLine.size());
  }
  commandLine.remove_prefix(end);
  // Only the one blank that separates: a blank more is the argument's own, as a trailing one is.
  if (commandLine.starts_with(' ') || commandLine.starts_with('\t')) commandLine.remove_prefix(1);
  return commandLine;
}

std::vector<std::string> anchorFirstArgument(std::vector<std::string> arguments,
                                             const std::string& currentFolder) {
  if (arguments.empty() || currentFolder.empty()) return arguments;
  const std::string& first = arguments.front();
  // On Windows a drive letter roots a path too ("C:\\Sets", and "C:Sets" on that drive's own
  // current folder).
  const bool onDrive = kPathSeparator == '\\' && first.size() >= 2 && first[1] == ':';
  if (first.empty() || first.front() == kPathSeparator || onDrive) return arguments;
  std::string folder = currentFolder;
  if (folder.back() != kPathSeparator) folder += kPathSeparator;
  arguments.front() = folder + arguments.front();
  return arguments;
}

bool argumentCarriesQuote(const std::vector<std::string>& arguments) {
  return std::any_of(arguments.begin(), arguments.end(),
                     [](const std::string& a) { return a.find('"') != std::string::npos; });
}

}  // namespace selvara
