// The command line and the program's identity: the splitter, the text formed from the argument
// list and the version text.
#include "startup/command_line.h"

#include <gtest/gtest.h>

#include "platform/executable_info.h"
#include "startup/app_info.h"

namespace selvara {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLineTest, SplitsAtSlashAndTabOutsideQuotesUpToTheLimit) {
  const std::tuple<std::string, int, Args> cases[] = {
      // element 0 of the result included
      {"", 10, {""}},
      {"D:\\My Sets\\A", 10, {"", "D:\\My Sets\\A"}},
      {"\"D:\\A\"", 10, {"", "D:\\A"}},
      {"a/b", 1, {"", "a"}},
      {"a/b", 10, {"", "a", "b"}},
      {"//a", 10, {"", "a"}},
      {"a//b", 10, {"", "a", "b"}},
      {"a\tb", 10, {"", "a", "b"}},
      {"\"\"", 10, {""}},
      {"a/\"\"/b", 10, {"", "a", "b"}},
      {"\"/home/set\"", 1, {"", "/home/set"}},
      {"ab\"c/d\"ef", 10, {"", "abc/def"}},
      {"a/\"b/c", 10, {"", "a", "b/c"}},
      {" a ", 10, {"", " a "}},
      {"a", 0, {""}},
      {"/\t/", 10, {""}}};
  for (const auto& [text, max, args] : cases)
    EXPECT_EQ(GetCommandLine(text, "\"", max), args) << text;
  EXPECT_EQ(GetCommandLine("1/2/3/4/5/6/7/8/9/10/11", "\"").size(), 11u);  // ten by default
}

// Linux hands over a list; each argument must come back whole, slashes, tabs and spaces included.
TEST(CommandLineTest, EveryArgumentOfTheListArrivesUnchanged) {
  for (const Args& list : {Args{"/home/My Sets/Stone Age"}, Args{"/"}, Args{" padded "},
                           Args{"relative/set", "tab\targ"}, Args{"\xc3\x86r\xc3\xb8"}, Args{}}) {
    Args expected{""};
    expected.insert(expected.end(), list.begin(), list.end());
    EXPECT_EQ(GetCommandLine(commandLineText(list), "\"", 10), expected) << commandLineText(list);
  }
}

TEST(IdentityTest, VersionIsTheRevisionInTenthsInShortestForm) {
  const std::tuple<int, const char*, const char*> versions[] = {
      {0, ".", "1.0.0"},    {1, ".", "1.0.0.1"}, {10, ".", "1.0.1"},
      {25, ".", "1.0.2.5"}, {1, ",", "1.0.0,1"}, {123, ".", "1.0.12.3"}};
  for (const auto& [revision, mark, text] : versions) {
    EXPECT_EQ(versionText({1, 0, revision}, mark), text);
  }
  const ExecutableInfo running = currentExecutable();
  EXPECT_EQ(running.baseName, "unit_tests");
  EXPECT_EQ(running.folder.front(), '/');
  EXPECT_EQ(versionText(running.version, "."), "1.0.0.1");
}

}  // namespace
}  // namespace selvara
