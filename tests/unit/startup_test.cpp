// Start-up and shutdown, driven with small fakes of the windows on a real program folder; the
// command line from the argument list to the options and the set's name; the version text; and
// the viewer's rules for its size and its web engine. (The dialog's size rules are clicked in the
// real dialog: gui/size_rules_test.cpp.)
#include "startup/startup.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <tuple>
#include <utility>

#include "options/option_table.h"
#include "options/options_behaviour.h"
#include "platform/paths.h"
#include "platform/user_locale.h"
#include "startup/app_info.h"
#include "startup/command_line.h"
#include "startup/program_options.h"
#include "startup/shutdown.h"
#include "support.h"
#include "viewer/engine_recovery.h"
#include "viewer/viewer_layout.h"

namespace selvara {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

using StartupTest = test::ProgramRun;

TEST_F(StartupTest, NoArgumentWritesOnlyTheTemplateAndQuits) {
  run({});
  EXPECT_TRUE(state.Quitting && !viewer.timerEnabled);
  EXPECT_EQ(test::readFile(program.path / "blank.html"), test::readFile(SELVARA_TEMPLATE_FILE));
  EXPECT_FALSE(fs::exists(program.path / "test.html"));
  EXPECT_EQ(viewer.caption, "(untouched)");  // the window keeps its design caption
}

// The set shows the name of the folder its path names, however the path was typed, with its odd
// letters marked; the pictures are still looked for under the path as typed. Unload then deletes
// both pages, and is harmless twice.
TEST_F(StartupTest, SetNameIsTheFoldersWhateverThePathAndUnloadDeletesBothPagesHarmlessTwice) {
  // A name in an older 8-bit archive's letters, which Windows cannot hold.
  const bool eightBit = kPathSeparator == '/';
  const std::string stone = (sets.path / (eightBit ? "St\351ne" : "Stone")).string(),
                    s(1, kPathSeparator), shown = eightBit ? "St\uFFFDne" : "Stone";
  fs::create_directory(stone);
  const std::pair<std::string, std::string> cases[] = {
      {stone + s + "..", sets.path.filename().string()},
      {s + s + ".", s},
      {".", fs::current_path().filename().string()}};
  for (const auto& [argument, name] : cases) EXPECT_EQ(setNameOf(argument), name) << argument;
  run({stone + s + s});
  EXPECT_EQ(viewer.caption, "SET - " + shown + " - Selvara Card Viewer - Version 1.0.0.1");
  EXPECT_NE(state.SettingsText.find("> Cards " + shown + " "), std::string::npos);
  EXPECT_EQ(state.DataPath, stone + s + s + s + "data" + s);
  ShutdownContext shutdown{viewer, dialog, viewer};
  for (const int unloads : {1, 2}) {
    Form_Unload(state, shutdown);
    EXPECT_TRUE(state.Quitting && dialog.unloaded && !viewer.timerEnabled);
    EXPECT_FALSE(fs::exists(program.path / "blank.html") || fs::exists(program.path / "test.html"));
    EXPECT_EQ(viewer.unloads, unloads);
  }
}

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

// Windows hands the program one text: what follows the program's name goes to the splitter as
// it is, spaces and all, unless it starts with an option; its first argument is the folder.
TEST(CommandLineTest, TheSystemsOneTextGoesToTheSplitterUnchangedAfterTheProgramsName) {
  const std::tuple<std::string, std::string, Args> texts[] = {
      {"\"C:\\My Programs\\v.exe\" C:\\My Sets", "C:\\My Sets", {"C:\\My Sets"}},
      {"viewer.exe  D:\\Beta \t/x", " D:\\Beta \t/x", {" D:\\Beta "}},
      {"\"viewer.exe\"\"D:\\a/b\"/c", "\"D:\\a/b\"/c", {"D:\\a/b"}},
      {"viewer.exe", "", {}}};
  for (const auto& [whole, text, folders] : texts) {
    const ProgramOptions options = readProgramOptions({"not", "read"}, whole);
    EXPECT_EQ(options.commandText, text);
    EXPECT_EQ(options.folders, folders) << whole;
  }
  EXPECT_EQ(readProgramOptions({"--version"}, "v --version").action, EarlyAction::PrintVersion);
}

TEST(ProgramOptionsTest, OptionsFoldersAndRefusals) {
  using enum EarlyAction;
  // The arguments, what they ask for, and the refusal or else the folder.
  const std::tuple<std::vector<std::string>, EarlyAction, std::string> cases[] = {
      {{"--choose-folder", "/a"}, Run, "/a"},  // a folder given: nothing to ask
      {{"/a", "--help"}, PrintHelp, "/a"},
      {{"--version", "/b"}, PrintVersion, "/b"},
      {{"--help", "--frobnicate", "/a"}, Refuse, "unknown option '--frobnicate'"},
      {{"a", "--", "--c"}, Refuse, "one card set folder at a time; not used: '--c'"},
      {{"a", "b", "c"}, Refuse, "one card set folder at a time; not used: 'b' 'c'"},
  };
  for (const auto& [arguments, action, text] : cases) {
    const ProgramOptions options = readProgramOptions(arguments);
    EXPECT_EQ(options.action, action) << text;
    EXPECT_EQ(action == Refuse ? options.refusal : options.folders.at(0), text);
    EXPECT_FALSE(options.askForFolder) << text;
  }
  EXPECT_TRUE(readProgramOptions({"--choose-folder"}).askForFolder);
  // A chosen data folder stands for its set, unless it is a set named data itself.
  const test::TempFolder base;
  fs::create_directories(base.path / "data/data");
  EXPECT_EQ(cardSetOfChoice((base.path / "data" / "data").string()), (base.path / "data").string());
  EXPECT_EQ(cardSetOfChoice((base.path / "data").string()), (base.path / "data").string());
}

TEST(IdentityTest, TheProgramsOwnFileAndVersionIsTheRevisionInTenthsInShortestForm) {
  const ExecutableInfo exe = currentExecutable();
  EXPECT_EQ(exe.baseName, "unit_tests");
  EXPECT_TRUE(fs::is_directory(exe.folder) && !exe.folder.ends_with(kPathSeparator)) << exe.folder;
  // Run once more under a locale that writes a decimal comma (Wine takes the user's regional
  // settings from LC_ALL), which the build names here.
  if (const char* mark = std::getenv("SELVARA_DECIMAL_MARK")) {
    EXPECT_EQ(userDecimalMark(), mark);
  }
  const std::tuple<int, const char*, const char*> versions[] = {
      {0, ".", "1.0.0"}, {10, ".", "1.0.1"}, {123, ",", "1.0.12,3"}};
  for (const auto& [revision, mark, text] : versions)
    EXPECT_EQ(versionText({1, 0, revision}, mark), text);
}

// The sizes a window shows are in GUI ViewerTest; here what it cannot reach: below the margins
// and minimised.
TEST(ResizeRuleTest, BrowserNeverNegativeAndUnchangedWhileMinimised) {
  EXPECT_EQ(Form_Resize(false, 100, 700).value_or(TwipSize{-1, -1}).width, 0);
  EXPECT_EQ(Form_Resize(false, 700, 100).value_or(TwipSize{-1, -1}).height, 0);
  EXPECT_FALSE(Form_Resize(true, 11730, 9345).has_value());
}

TEST(EngineRecoveryTest, ReloadsUntilTheEngineDiesAgainSoonAfterAReloadThenSaysWhy) {
  EngineRecovery recovery;
  std::string reloads, said;  // a 1 for each loss after which the page is loaded again
  for (const int second : {0, 30, 60, 89, 200}) {
    const auto step =
        recovery.engineLost(EngineLoss::kMemoryLimit, "Blue",
                            EngineRecovery::Clock::time_point(std::chrono::seconds(second)));
    reloads += step.reload ? "1" : "0", said = step.message;
  }
  EXPECT_EQ(reloads, "11100");
  const std::string why = "\"Blue\": the web engine that draws it went over its memory limit";
  EXPECT_NE(said.find(why), std::string::npos) << said;
}

}  // namespace
}  // namespace selvara
