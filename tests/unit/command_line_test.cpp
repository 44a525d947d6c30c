// The command line and the program's identity: the splitter, the text formed from the argument
// list and the version text.
#include "startup/command_line.h"

#include <gtest/gtest.h>

#include "platform/executable_info.h"
#include "startup/app_info.h"

namespace selvara {
namespace {

using Args = std::vector<std::string>;

// The program forms its command-line text from the argument list and reads one argument back:
// each comes back whole, slashes, tabs and spaces included, and the limit holds.
TEST(CommandLineTest, EveryArgumentOfTheListArrivesUnchangedUpToTheLimit) {
  for (const Args& list : {Args{"/home/My Sets/Stone Age"}, Args{"/"}, Args{" padded "},
                           Args{"relative/set", "tab\targ"}, Args{"\xc3\x86r\xc3\xb8"}, Args{}}) {
    Args expected{""};
    expected.insert(expected.end(), list.begin(), list.end());
    EXPECT_EQ(GetCommandLine(commandLineText(list), "\"", 10), expected) << commandLineText(list);
    expected.resize(std::min<std::size_t>(expected.size(), 2));
    EXPECT_EQ(GetCommandLine(commandLineText(list), "\"", 1), expected) << commandLineText(list);
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
