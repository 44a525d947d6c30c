// Start-up and shutdown, driven with small fakes of the windows on a real program folder, and
// the viewer's rules for its size and its web engine.
#include "startup/startup.h"

#include <gtest/gtest.h>

#include "startup/command_line.h"
#include "startup/shutdown.h"
#include "support.h"
#include "viewer/engine_recovery.h"
#include "viewer/resize_rule.h"

namespace selvara {
namespace {

namespace fs = std::filesystem;
using test::readFile;

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() {
    pump.onWait = [this] { dialog.hide(); };
  }
  void run(const std::string& argument, const fs::path& folder) {
    state = RunState{};
    StartupContext context{dialog,
                           pump,
                           viewer,
                           {"v", "/usr/bin", {1, 0, 1}},
                           folder.string(),
                           ".",
                           argument.empty() ? "" : commandLineText({argument})};
    Form_Load(state, context);
  }
  void run(const std::string& argument) { run(argument, program.path); }
  fs::path file(const char* name) const { return program.path / name; }

  test::TempFolder program, sets;
  RunState state;
  test::FakeDialog dialog;
  test::FakePump pump;
  test::FakeViewer viewer;
  ShutdownContext shutdown{viewer, dialog, pump};
};

TEST_F(StartupTest, NoArgumentWritesOnlyTheTemplateAndQuits) {
  run("");
  EXPECT_TRUE(state.Quitting);
  EXPECT_EQ(readFile(file("blank.html")), readFile(SELVARA_TEMPLATE_FILE));
  EXPECT_FALSE(fs::exists(file("test.html")));
  EXPECT_EQ(viewer.caption, "(untouched)");  // the window keeps its design caption
  EXPECT_FALSE(viewer.timer.enabled);
  EXPECT_TRUE(viewer.navigated.empty());
}

TEST_F(StartupTest, UnloadDeletesBothFilesAndIsHarmlessTwice) {
  run((sets.path / "Alpha").string());
  for (const int unloads : {1, 2}) {
    Form_Unload(state, shutdown);
    EXPECT_TRUE(state.Quitting && dialog.unloaded && !viewer.timer.enabled);
    EXPECT_FALSE(fs::exists(file("blank.html")) || fs::exists(file("test.html")));
    EXPECT_EQ(viewer.unloads, unloads);
  }
}

// The set shows the name of the folder its path names, however the path was typed; the pictures
// are still looked for under the path as typed.
TEST_F(StartupTest, SetNameIsTheFoldersWhateverSeparatorsAndDotsThePathHas) {
  const std::string stone = (sets.path / "Stone").string();
  fs::create_directory(stone);
  const fs::path here = fs::current_path();
  const std::pair<std::string, std::string> cases[] = {
      {stone + "//", "Stone"},
      {stone + "/./.", "Stone"},
      {stone + "/..", sets.path.filename().string()},
      {"//.", "/"},
      {".", here.filename().string()},
      {"../", here.parent_path().filename().string()}};
  for (const auto& [argument, name] : cases) EXPECT_EQ(setNameOf(argument), name) << argument;
  run(stone + "/");
  EXPECT_EQ(viewer.caption, "SET - Stone - Selvara Card Viewer - Version 1.0.0.1");
  EXPECT_NE(state.SettingsText.find("'yellow'> Cards Stone "), std::string::npos);
  EXPECT_EQ(state.DataPath, stone + "//data/");
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
  EXPECT_TRUE(
      said.starts_with("Cannot show the gallery of card set \"Blue\": the web engine that draws it "
                       "went over its memory limit"))
      << said;
}

}  // namespace
}  // namespace selvara
