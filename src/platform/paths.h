// The platform's path conventions as the program uses them.
#pragma once

#include <string>
#include <string_view>

namespace selvara {

// The one place where the port is chosen for the shared code: Windows paths use the backslash,
// as the design does; every other system the slash.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The scheme under which the viewer on Linux serves pictures whose paths a file URL cannot carry.
inline constexpr const char* kPictureScheme = "selvara-picture";

// The file path that a picture address in the page stands for on Linux: the address without
// "file://" or the picture scheme's prefix, with every %XX decoded and anything else left as it is.
std::string picturePath(std::string_view url);

}  // namespace selvara
