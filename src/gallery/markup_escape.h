// Writing names and paths into the page so that they stay text and URLs, never markup.
#pragma once

#include <string>
#include <string_view>

namespace selvara {

// Replaces & < > " ' with character references, for attribute values and element text.
std::string escapeHtml(std::string_view text);

// Percent-encodes the bytes that would change a URL's meaning or break the markup around it:
// % # ? ' " < > & and the backslash, control bytes and bytes outside ASCII. Everything else,
// spaces included, stays as it is.
std::string encodeUrlPath(std::string_view path);

// The reverse of encodeUrlPath: decodes every %XX.
std::string decodeUrlPath(std::string_view url);

}  // namespace selvara
