// The running executable on Linux, found through /proc/self/exe.
#include <unistd.h>

#include <string>

#include "platform/executable_info.h"
#include "platform/file_services.h"
#include "platform/paths.h"

namespace selvara {

VersionNumbers programVersion() {
  return {SELVARA_VERSION_MAJOR, SELVARA_VERSION_MINOR, SELVARA_VERSION_REVISION};
}

ExecutableInfo currentExecutable() {
  std::string path(4096, '\0');
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length < 0) throwLastError("find the program's own file", "/proc/self/exe");
    if (static_cast<std::size_t>(length) < path.size()) {
      path.resize(static_cast<std::size_t>(length));
      break;
    }
    path.resize(path.size() * 2);
  }
  ExecutableInfo info;
  const auto separator = path.rfind(kPathSeparator);
  info.folder = separator == 0 ? std::string(1, kPathSeparator) : path.substr(0, separator);
  info.baseName = path.substr(separator + 1);
  if (const auto dot = info.baseName.rfind('.'); dot != std::string::npos && dot > 0) {
    info.baseName.resize(dot);
  }
  info.version = programVersion();
  return info;
}

}  // namespace selvara
