// Escaping for element text, attribute values and picture URLs.
#include "gallery/markup_escape.h"

#include "platform/paths.h"

namespace selvara {
namespace {

bool needsPercent(unsigned char c) {
  switch (c) {
    case '%':
    case '#':
    case '?':
    case '\'':
    case '"':
    case '<':
    case '>':
    case '&':
    case '\\':
      return true;
    default:
      return c < 0x20 || c >= 0x7F;
  }
}

}  // namespace

std::string escapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string encodeUrlPath(std::string_view path) {
  static constexpr std::string_view kHex = "0123456789ABCDEF";
  std::string out;
  out.reserve(path.size());
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (needsPercent(byte)) {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    } else {
      out += c;
    }
  }
  return out;
}

std::string pictureAddress(std::string_view path) {
  std::string address = encodeUrlPath(path);
  if (!path.starts_with('/')) {
    // A relative address stays relative: a colon in it would read as the end of a scheme.
    for (auto at = address.find(':'); at != std::string::npos; at = address.find(':', at)) {
      address.replace(at, 1, "%3A");
    }
    return address;
  }
  if (toValidUtf8(path) != path) return std::string(kPictureScheme) + "://" + address;
  if (path.starts_with("//")) return "file://" + address;
  return address;
}

std::string picturePath(std::string_view address) {
  for (const std::string& prefix : {std::string("file://"), std::string(kPictureScheme) + "://"}) {
    if (address.starts_with(prefix)) address.remove_prefix(prefix.size());
  }
  return decodeUrlPath(address);
}

std::string toValidUtf8(std::string_view text) {
  static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    unsigned char low = 0x80;  // the range of the first continuation byte
    unsigned char high = 0xBF;
    if (lead < 0x80) {
      length = 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;   // no overlong forms
      if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    }
    bool valid = length > 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = k == 1 ? (next >= low && next <= high) : (next >= 0x80 && next <= 0xBF);
    }
    if (valid) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      out.append(kReplacement);
      ++i;
    }
  }
  return out;
}

}  // namespace selvara
