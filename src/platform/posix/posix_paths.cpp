// Path conventions on POSIX systems, where the separator already is "/".
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
  for (const std::string& prefix : {std::string("file://"), std::string(kPictureScheme) + "://"}) {
    if (url.starts_with(prefix)) url.remove_prefix(prefix.size());
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
    out += url[i];
  }
  return out;
}

}  // namespace selvara
