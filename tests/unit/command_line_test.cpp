// The command-line splitter and how the text is formed from the system's argument list.
#include "startup/command_line.h"

#include <gtest/gtest.h>

namespace selvara {
namespace {

using Args = std::vector<std::string>;

struct SplitCase {
  const char* name;
  std::string text;
  int maxArgs;
  Args expected;  // element 0 included
};

// Named in test listings by the case, not by the bytes of the object (which hold addresses).
void PrintTo(const SplitCase& c, std::ostream* out) { *out << c.name; }

class SplitterTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitterTest, SplitsAsDescribed) {
  const SplitCase& c = GetParam();
  EXPECT_EQ(GetCommandLine(c.text, "\"", c.maxArgs), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitterTest,
    ::testing::Values(
        SplitCase{"Empty", "", 10, {""}},
        SplitCase{"SpacesKept", "D:\\My Sets\\Alpha", 10, {"", "D:\\My Sets\\Alpha"}},
        SplitCase{"QuotesRemoved", "\"D:\\My Sets\\Alpha\"", 10, {"", "D:\\My Sets\\Alpha"}},
        SplitCase{"StopsAtMax", "a/b", 1, {"", "a"}},
        SplitCase{"TwoArgs", "a/b", 10, {"", "a", "b"}},
        SplitCase{"LeadingSeparators", "//a", 10, {"", "a"}},
        SplitCase{"RepeatedSeparators", "a//b", 10, {"", "a", "b"}},
        SplitCase{"TabSeparates", "a\tb", 10, {"", "a", "b"}},
        SplitCase{"EmptyQuotes", "\"\"", 10, {""}},
        SplitCase{"EmptyQuotesBetween", "a/\"\"/b", 10, {"", "a", "b"}},
        SplitCase{"SlashInQuotes", "\"/home/me/set\"", 1, {"", "/home/me/set"}},
        SplitCase{"QuoteJoinsBothSides", "ab\"c/d\"ef", 10, {"", "abc/def"}},
        SplitCase{"UnbalancedQuote", "a/\"b/c", 10, {"", "a", "b/c"}},
        SplitCase{"OuterSpacesKept", " a ", 10, {"", " a "}}, SplitCase{"ZeroMax", "a", 0, {""}},
        SplitCase{"OnlySeparators", "/\t/", 10, {""}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(SplitterTest, DefaultsToTenArguments) {
  const auto result = GetCommandLine("1/2/3/4/5/6/7/8/9/10/11/12", "\"");
  ASSERT_EQ(result.size(), 11u);
  EXPECT_EQ(result.back(), "10");
}

// Linux hands over a list; every argument must come back whole, slashes and tabs included.
TEST(CommandLineTextTest, EveryArgumentArrivesUnchanged) {
  const std::vector<Args> lists = {
      {"/home/me/My Sets/Stone Age"},
      {"/"},
      {"relative/set", "second\targ"},
      {" padded "},
      {"Ærø/ünïcödé"},
  };
  for (const Args& list : lists) {
    const auto split = GetCommandLine(commandLineText(list), "\"", 10);
    Args expected{""};
    expected.insert(expected.end(), list.begin(), list.end());
    EXPECT_EQ(split, expected) << commandLineText(list);
  }
}

TEST(CommandLineTextTest, OnlyTheFirstArgumentIsTaken) {
  const auto split = GetCommandLine(commandLineText({"/a/b", "/c/d"}), "\"", 1);
  EXPECT_EQ(split, (Args{"", "/a/b"}));
}

TEST(CommandLineTextTest, EmptyArgumentGivesNone) {
  EXPECT_EQ(GetCommandLine(commandLineText({""}), "\"", 1), Args{""});
}

TEST(CommandLineTextTest, QuoteInAnArgumentIsDetected) {
  EXPECT_TRUE(argumentCarriesQuote({"/a/say \"hi\""}));
  EXPECT_FALSE(argumentCarriesQuote({"/a/it's"}));
  EXPECT_FALSE(argumentCarriesQuote({}));
}

}  // namespace
}  // namespace selvara

namespace selvara {
namespace {

TEST(AnchorFirstArgumentTest, RelativeSetsAreFoundFromTheProgramFolder) {
  const struct {
    std::vector<std::string> in;
    std::vector<std::string> out;
  } cases[] = {
      {{"Alpha"}, {"/home/me/Alpha"}},
      {{"."}, {"/home/me/."}},
      {{"Sets/Alpha/"}, {"/home/me/Sets/Alpha/"}},
      {{"/abs/Alpha"}, {"/abs/Alpha"}},
      {{"/"}, {"/"}},
      {{}, {}},
      {{""}, {""}},
      {{"a", "b"}, {"/home/me/a", "b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(anchorFirstArgument(c.in, "/home/me"), c.out);
  EXPECT_EQ(anchorFirstArgument({"Alpha"}, "/"), std::vector<std::string>{"/Alpha"});
}

}  // namespace
}  // namespace selvara
