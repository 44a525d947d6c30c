// The platform's path conventions as the program uses them.
#pragma once

#include <string>

namespace selvara {

inline constexpr char kPathSeparator = '/';

// Turns the platform's separator into the "/" of a page URL.
std::string toUrlSeparators(std::string path);

}  // namespace selvara
