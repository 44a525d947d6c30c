// The platform's path conventions as the program uses them.
#pragma once

#include <string>
#include <string_view>

namespace selvara {

inline constexpr char kPathSeparator = '/';

// The scheme under which the viewer serves pictures whose paths a file URL cannot carry.
inline constexpr const char* kPictureScheme = "selvara-picture";

// The file path that a picture address in the page stands for: the address without "file://" or
// the picture scheme's prefix, with every %XX decoded and anything else left as it is.
std::string picturePath(std::string_view url);

}  // namespace selvara
