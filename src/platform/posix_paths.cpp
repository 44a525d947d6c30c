// Path conventions on POSIX systems, where the separator already is "/".
#include <algorithm>

#include "platform/paths.h"

namespace selvara {

std::string toUrlSeparators(std::string path) {
  std::replace(path.begin(), path.end(), kPathSeparator, '/');
  return path;
}

}  // namespace selvara
