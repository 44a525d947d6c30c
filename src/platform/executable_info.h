// Where the running program lives and which version it is.
#pragma once

#include <string>

namespace selvara {

struct VersionNumbers {
  int major = 0;
  int minor = 0;
  int revision = 0;
};

// What the platform tells about the running executable.
struct ExecutableInfo {
  std::string baseName;  // without folder and extension
  std::string folder;    // no trailing separator except at the root
  VersionNumbers version;
};

// The build's version numbers.
VersionNumbers programVersion();

// The running executable's base name and folder, and the build's version numbers.
ExecutableInfo currentExecutable();

}  // namespace selvara
