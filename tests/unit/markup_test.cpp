// Names and paths written into the page stay text and URLs.
#include <gtest/gtest.h>

#include "gallery/markup_escape.h"

namespace selvara {
namespace {

TEST(EscapeHtmlTest, ReplacesEveryMarkupCharacter) {
  const std::pair<const char*, const char*> cases[] = {
      {"a0001", "a0001"},
      {"Tom & Jerry", "Tom &amp; Jerry"},
      {"<b>'x'</b>", "&lt;b&gt;&#39;x&#39;&lt;/b&gt;"},
      {"say \"hi\"", "say &quot;hi&quot;"},
      {"Ærø", "Ærø"},
      {"&amp;", "&amp;amp;"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(escapeHtml(text), expected) << text;
}

TEST(EncodeUrlPathTest, EncodesOnlyWhatChangesTheUrl) {
  const std::pair<std::string, const char*> cases[] = {
      {"/home/me/My Sets/Stone Age/data/a0001/a0001c.jpg",
       "/home/me/My Sets/Stone Age/data/a0001/a0001c.jpg"},
      {"/s/100%#1?x", "/s/100%25%231%3Fx"},
      {"it's \"q\" <a>&\\", "it%27s %22q%22 %3Ca%3E%26%5C"},
      {"tab\there\n", "tab%09here%0A"},
      {"Ærø", "%C3%86r%C3%B8"},
      {std::string("bad\xff\x80", 5), "bad%FF%80"},
      {"~!$()*+,;=:@[]{}|^`-_.", "~!$()*+,;=:@[]{}|^`-_."},
      {"\x7f", "%7F"},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(encodeUrlPath(path), expected) << path;
}

TEST(EncodeUrlPathTest, DecodesBackToThePathForEveryByte) {
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
  const std::string encoded = encodeUrlPath(all);
  EXPECT_EQ(decodeUrlPath(encoded), all);
  for (const char c : std::string("'\"<>&#?\\")) {
    EXPECT_EQ(encoded.find(c), std::string::npos) << c;
  }
}

TEST(DecodeUrlPathTest, LeavesIncompleteEscapesAlone) {
  EXPECT_EQ(decodeUrlPath("a%2"), "a%2");
  EXPECT_EQ(decodeUrlPath("a%zz"), "a%zz");
  EXPECT_EQ(decodeUrlPath("%41%42"), "AB");
}

}  // namespace
}  // namespace selvara
