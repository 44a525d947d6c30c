// Path conventions on Windows: backslashes in paths, "/" in the page's file URLs.
#include <algorithm>

#include "platform/paths.h"

namespace selvara {
namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string picturePath(std::string_view url) {
  if (url.starts_with("file:///")) {
    url.remove_prefix(8);  // "file:///C:/..." names the drive's path
  } else if (url.starts_with("file:")) {
    url.remove_prefix(5);  // "file://host/share" keeps the two slashes of a network path
  }
  std::string out;
  out.reserve(url.size());
  for (std::size_t i = 0; i < url.size(); ++i) {
    if (url[i] == '%' && i + 2 < url.size()) {
      const int high = hexValue(url[i + 1]);
      const int low = hexValue(url[i + 2]);
      if (high >= 0 && low >= 0) {
        out += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    out += url[i] == '/' ? kPathSeparator : url[i];
  }
  return out;
}

}  // namespace selvara
