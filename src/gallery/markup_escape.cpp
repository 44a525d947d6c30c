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

// The length of the well-formed UTF-8 sequence that `text` starts with, or 0 when it starts
// with none: no overlong forms, no surrogates, nothing above U+10FFFF.
std::size_t utf8SequenceLength(std::string_view text) {
  const auto byte = [&text](std::size_t at) { return static_cast<unsigned char>(text[at]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;  // the range of the first continuation byte
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : low;
    high = lead == 0xED ? 0x9F : high;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : low;
    high = lead == 0xF4 ? 0x8F : high;
  }
  if (length == 0 || length > text.size() || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (byte(k) < 0x80 || byte(k) > 0xBF) return 0;
  }
  return length;
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
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = utf8SequenceLength(text.substr(i));
    out.append(length > 0 ? text.substr(i, length) : kReplacement);
    i += length > 0 ? length : 1;
  }
  return out;
}

}  // namespace selvara
