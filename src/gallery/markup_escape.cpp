// Escaping for element text, attribute values and picture URLs.
#include "gallery/markup_escape.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

#include "platform/paths.h"

namespace selvara {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

using ByteFlags = std::array<bool, 256>;  // one flag per byte value

// The bytes a picture address writes as %XX: those that would change a URL's meaning or break
// the markup around it, control bytes and bytes outside ASCII.
constexpr ByteFlags kNeedsPercent = [] {
  ByteFlags flags{};
  for (std::size_t c = 0; c < flags.size(); ++c) flags[c] = c < 0x20 || c >= 0x7F;
  for (const char c : std::string_view("%#?'\"<>&\\")) flags[static_cast<unsigned char>(c)] = true;
  return flags;
}();

// In a relative address a colon would read as the end of a scheme, so it is encoded too.
constexpr ByteFlags kNeedsPercentRelative = [] {
  ByteFlags flags = kNeedsPercent;
  flags[':'] = true;
  return flags;
}();

using PercentCode = std::array<char, 3>;  // "%XX"

// The percent code of every byte value: "%00" to "%FF".
constexpr std::array<PercentCode, 256> kPercentCodes = [] {
  constexpr std::string_view hex = "0123456789ABCDEF";
  std::array<PercentCode, 256> codes{};
  for (std::size_t b = 0; b < codes.size(); ++b) codes[b] = {'%', hex[b >> 4], hex[b & 0x0F]};
  return codes;
}();

std::string_view percentCode(unsigned char c) {
  return {kPercentCodes[c].data(), kPercentCodes[c].size()};
}

// The character reference for `c` in markup, or nothing when it stands for itself.
std::string_view htmlReference(char c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    case '\'':
      return "&#39;";
    default:
      return {};
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

using Substitution = std::pair<std::size_t, std::string_view>;

// Appends `text` to `out`, copying the runs that stay as they are in one piece. `substitute`
// is given the rest of the text and returns how many bytes it reads there and what stands for
// them, or nothing when they stay.
template <typename Substitute>
void appendSubstituted(std::string& out, std::string_view text, Substitute substitute) {
  std::size_t kept = 0;  // where the run of bytes that stay began
  for (std::size_t at = 0; at < text.size();) {
    const auto [length, replacement] = substitute(text.substr(at));
    if (!replacement.empty()) {
      out.append(text.substr(kept, at - kept)).append(replacement);
      kept = at + length;
    }
    at += length;
  }
  out.append(text.substr(kept));
}

// Percent-encodes the bytes `encoded` flags, copying the runs between them in one piece.
void appendPercentEncoded(std::string& out, std::string_view path, const ByteFlags& encoded) {
  std::size_t kept = 0;  // where the run of bytes that stay began
  for (std::size_t at = 0; at < path.size(); ++at) {
    const auto c = static_cast<unsigned char>(path[at]);
    if (!encoded[c]) continue;
    out.append(path.substr(kept, at - kept)).append(percentCode(c));
    kept = at + 1;
  }
  out.append(path.substr(kept));
}

// True when every byte of `text` is part of valid UTF-8, as toValidUtf8 reads it.
bool isValidUtf8(std::string_view text) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  std::size_t at = 0;
  // Eight bytes at a time while they are ASCII, as a path mostly is.
  for (std::uint64_t word = 0; at + sizeof word <= text.size(); at += sizeof word) {
    std::memcpy(&word, text.data() + at, sizeof word);
    if ((word & kHighBits) != 0) break;
  }
  while (at < text.size()) {
    const std::size_t length = utf8SequenceLength(text.substr(at));
    if (length == 0) return false;
    at += length;
  }
  return true;
}

}  // namespace

std::string escapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  appendEscapedHtml(out, text);
  return out;
}

void appendEscapedHtml(std::string& out, std::string_view text) {
  appendSubstituted(out, text, [](std::string_view rest) {
    const std::size_t length = utf8SequenceLength(rest);
    if (length == 0) return Substitution{1, kReplacementCharacter};
    return Substitution{length, length == 1 ? htmlReference(rest.front()) : std::string_view()};
  });
}

void appendPictureAddress(std::string& out, std::string_view path) {
  if constexpr (kPathSeparator == '\\') {
    // The WebBrowser control takes a Windows path as it is, and reads a %XX in it in the system's
    // code page: only what would break the markup is written as a character reference.
    appendEscapedHtml(out, path);
    return;
  }
  if (!path.starts_with('/')) {
    appendPercentEncoded(out, path, kNeedsPercentRelative);  // a relative address stays relative
    return;
  }
  if (!isValidUtf8(path)) {
    out.append(kPictureScheme).append("://");
  } else if (path.starts_with("//")) {
    out.append("file://");
  }
  appendPercentEncoded(out, path, kNeedsPercent);
}

std::string toValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  appendSubstituted(out, text, [](std::string_view rest) {
    const std::size_t length = utf8SequenceLength(rest);
    return length == 0 ? Substitution{1, kReplacementCharacter} : Substitution{length, {}};
  });
  return out;
}

}  // namespace selvara
