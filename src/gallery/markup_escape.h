// Writing names and paths into the page so that they stay text and URLs, never markup.
#pragma once

#include <string>
#include <string_view>

namespace selvara {

// Element text or an attribute value: & < > " ' replaced with character references and every
// byte that is not part of valid UTF-8 with U+FFFD, as toValidUtf8 does.
std::string escapeHtml(std::string_view text);

// Appends escapeHtml(text) to `out`, with no string of its own.
void appendEscapedHtml(std::string& out, std::string_view text);

// Appends the address of a local picture in the page: the path with the bytes that would change
// a URL's meaning or break the markup around it percent-encoded (% # ? ' " < > & and the
// backslash, control bytes, bytes outside ASCII, and in a relative address the colon); spaces
// and everything else stay as they are. A path that a plain address would misread (one beginning
// with "//", which names a network host) is given as a file URL; one that is not UTF-8, which the
// web view cannot turn back into the file's name, goes through the program's own picture scheme.
// On Windows the path is written as it is, backslashes and letters included, with only & < > "
// and ' as character references.
void appendPictureAddress(std::string& out, std::string_view path);

// `text` with every byte that is not part of valid UTF-8 replaced by U+FFFD, so that a name from
// an older 8-bit archive still shows, with its odd letters marked.
std::string toValidUtf8(std::string_view text);

}  // namespace selvara
