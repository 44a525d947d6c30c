// Cutting the command-line text into arguments, and forming that text from an argument list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace selvara {

// Splits `text` at "/" and tab outside quotes; `quoteChar` groups and is dropped. Element 0 of
// the result is always empty; elements 1..N are the arguments, never empty, N <= maxArgs.
std::vector<std::string> GetCommandLine(std::string_view text, std::string_view quoteChar,
                                        int maxArgs = 10);

// Forms the command-line text from the arguments after the program's name so that the splitter
// gives each argument back unchanged: each one is wrapped in double quotes and the arguments are
// joined by "/". An argument that holds a double quote cannot be carried; see
// `argumentCarriesQuote`.
std::string commandLineText(const std::vector<std::string>& arguments);

// What follows the program's name in a command line that the system hands over as one text
// (Windows): the name runs to the first blank, or when it starts with a double quote to the next
// one; the one blank after it is not part of the text.
std::string_view textAfterProgramName(std::string_view commandLine);

// The arguments with the first one made absolute against `currentFolder` when it is relative,
// so that the page, which lives in the program folder, finds the pictures of a set named
// relative to where the program was started. The name the set shows is unchanged.
std::vector<std::string> anchorFirstArgument(std::vector<std::string> arguments,
                                             const std::string& currentFolder);

// True when an argument holds a double quote, which the splitter always drops.
bool argumentCarriesQuote(const std::vector<std::string>& arguments);

}  // namespace selvara
