// The platform's path conventions as the program uses them.
#pragma once

#include <string>
#include <string_view>

namespace selvara {

inline constexpr char kPathSeparator = '/';

// The scheme under which the viewer serves pictures whose paths a file URL cannot carry.
inline constexpr const char* kPictureScheme = "selvara-picture";

// The reverse of percent-encoding a path: decodes every %XX, leaves anything else.
std::string decodeUrlPath(std::string_view url);

}  // namespace selvara
