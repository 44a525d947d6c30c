// Start-up and shutdown, driven with small fakes of the windows on a real program folder.
#include "startup/startup.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "fakes.h"
#include "platform/file_services.h"
#include "startup/command_line.h"
#include "startup/shutdown.h"
#include "startup/web_window.h"
#include "temp_folder.h"
#include "viewer/viewer_layout.h"

namespace selvara {
namespace {

namespace fs = std::filesystem;
using test::readFile;

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The dialog stays up for three waits, as if the user took a moment.
    pump.onWait = [this] {
      if (pump.waits == 3) dialog.hide();
    };
  }
  void run(const std::vector<std::string>& arguments) {
    StartupContext context{dialog,
                           pump,
                           viewer,
                           {"selvara-card-viewer", "/usr/bin", {1, 0, 1}},
                           program.path(),
                           ".",
                           commandLineText(arguments)};
    Form_Load(state, context);
  }
  fs::path file(const char* name) const { return program.path() / name; }

  test::TempFolder program;
  test::TempFolder sets;
  RunState state;
  test::FakeDialog dialog;
  test::FakePump pump;
  test::FakeViewer viewer;
};

TEST_F(StartupTest, CardSetGivesCaptionHeadingPageAndTimer) {
  const fs::path set = sets.path() / "Stone Age";
  fs::create_directories(set / "data" / "a0001");
  run({set.string()});
  EXPECT_EQ(dialog.shows, 1);
  EXPECT_EQ(pump.waits, 3);
  EXPECT_FALSE(state.Quitting);
  EXPECT_EQ(state.SetName, "Stone Age");
  EXPECT_EQ(state.DataPath, set.string() + "/data/");
  EXPECT_EQ(viewer.caption, "SET - Stone Age - Selvara Card Viewer - Version 1.0.0.1");
  EXPECT_EQ(state.SettingsText,
            "<center><font size='3' color='yellow'> Cards Stone Age  Thumbs 43 x 63  PopUp 172 x "
            "252  On Mouse Down  </font></center><br><br>");
  EXPECT_TRUE(viewer.timer.enabled);
  ASSERT_EQ(viewer.navigated.size(), 1u);
  EXPECT_EQ(viewer.navigated[0], file("test.html").string());
  EXPECT_NE(readFile(file("test.html")).find("alt='a0001'"), std::string::npos);
}

TEST_F(StartupTest, NoArgumentWritesOnlyTheTemplate) {
  run({});
  EXPECT_TRUE(state.Quitting);
  EXPECT_TRUE(fs::exists(file("blank.html")));
  EXPECT_FALSE(fs::exists(file("test.html")));
  EXPECT_EQ(viewer.caption, kDesignCaption);
  EXPECT_FALSE(viewer.timer.enabled);
  EXPECT_TRUE(viewer.navigated.empty());
}

TEST_F(StartupTest, SelectionsMadeWhileWaitingReachThePage) {
  pump.onWait = nullptr;
  dialog.showModeless();
  const fs::path set = sets.path() / "Alpha";
  fs::create_directories(set / "data" / "a0001");
  StartupContext context{dialog,
                         pump,
                         viewer,
                         {"v", "/usr/bin", {1, 0, 1}},
                         program.path(),
                         ".",
                         commandLineText({set.string()})};
  pump.onWait = [this] {
    state.ThumbIndex = 4;
    state.PopupIndex = 3;
    state.PopupActionIndex = 0;
    dialog.hide();
  };
  Form_Load(state, context);
  const std::string page = readFile(file("test.html"));
  EXPECT_NE(page.find("onMouseOver='popup("), std::string::npos);
  EXPECT_NE(page.find(",344,504)' onMouseOut='popout(this)' width='172' height='252'>"),
            std::string::npos);
}

TEST_F(StartupTest, ArgumentEndingInTheSeparatorGivesAnEmptyName) {
  const std::string argument = sets.path().string() + "/Alpha/";
  run({argument});
  EXPECT_EQ(state.SetName, "");
  EXPECT_EQ(state.DataPath, argument + "/data/");
  EXPECT_EQ(viewer.caption, "SET -  - Selvara Card Viewer - Version 1.0.0.1");
}

TEST_F(StartupTest, ArgumentWithoutSeparatorIsTakenWhole) {
  run({"Alpha"});
  EXPECT_EQ(state.SetName, "Alpha");
  EXPECT_EQ(state.DataPath, "Alpha/data/");
  EXPECT_TRUE(fs::exists(file("test.html")));
}

TEST_F(StartupTest, ArgumentShapesGiveTheirNameAndDataFolder) {
  const std::string here = sets.path().string();
  fs::create_directories(sets.path() / "Alpha" / "data" / "a0001");
  const struct {
    std::string argument;
    std::string setName;
    std::string dataPath;
    bool findsCard;
  } cases[] = {
      {".", ".", here + "/./data/", false},
      {"Alpha", "Alpha", here + "/Alpha/data/", true},
      {"./Alpha", "Alpha", here + "/./Alpha/data/", true},
      {"Alpha/", "", here + "/Alpha//data/", true},
      {"/", "", "//data/", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.argument);
    state = RunState{};
    viewer.navigated.clear();
    pump.waits = 0;
    run(anchorFirstArgument({c.argument}, here));
    EXPECT_EQ(state.SetName, c.setName);
    EXPECT_EQ(state.DataPath, c.dataPath);
    EXPECT_EQ(viewer.caption, "SET - " + c.setName + " - Selvara Card Viewer - Version 1.0.0.1");
    ASSERT_EQ(viewer.navigated.size(), 1u);
    EXPECT_EQ(readFile(file("test.html")).find("alt='a0001'") != std::string::npos, c.findsCard);
  }
}

TEST_F(StartupTest, NameIsEscapedInTheHeadingButNotInTheCaption) {
  run({sets.path().string() + "/Tom & <Jerry>"});
  EXPECT_EQ(viewer.caption, "SET - Tom & <Jerry> - Selvara Card Viewer - Version 1.0.0.1");
  EXPECT_NE(state.SettingsText.find("Cards Tom &amp; &lt;Jerry&gt; "), std::string::npos);
}

TEST_F(StartupTest, NothingHappensOnceQuitting) {
  state.Quitting = true;
  run({"Alpha"});
  EXPECT_EQ(dialog.shows, 0);
  EXPECT_FALSE(fs::exists(file("blank.html")));
}

TEST_F(StartupTest, TemplateThatCannotBeWrittenIsReportedWithItsCause) {
  // A missing program folder, and a folder standing where the template goes.
  fs::create_directory(file("blank.html"));
  const struct {
    fs::path folder;
    int number;
  } cases[] = {{program.path() / "gone", ENOENT}, {program.path(), EEXIST}};
  for (const auto& c : cases) {
    StartupContext context{dialog,
                           pump,
                           viewer,
                           {"v", "/usr/bin", {1, 0, 1}},
                           c.folder.string(),
                           ".",
                           commandLineText({"Alpha"})};
    pump.waits = 0;
    try {
      Form_Load(state, context);
      ADD_FAILURE() << "no failure reported for " << c.folder;
    } catch (const FileError& error) {
      EXPECT_EQ(error.action(), "write");
      EXPECT_EQ(error.path(), (c.folder / "blank.html").string());
      EXPECT_EQ(error.number(), c.number);
    }
    EXPECT_FALSE(viewer.timer.enabled);
    EXPECT_TRUE(viewer.navigated.empty());
  }
}

class ShutdownTest : public StartupTest {
 protected:
  ShutdownContext context{viewer, dialog, pump};
};

TEST_F(ShutdownTest, UnloadDeletesBothFilesAndIsHarmlessTwice) {
  const fs::path set = sets.path() / "Alpha";
  run({set.string()});
  ASSERT_TRUE(fs::exists(file("test.html")));
  test::writeFile(program.path() / "keep.html", "the user's");
  Form_Unload(state, context);
  EXPECT_TRUE(state.Quitting);
  EXPECT_FALSE(viewer.timer.enabled);
  EXPECT_FALSE(fs::exists(file("blank.html")));
  EXPECT_FALSE(fs::exists(file("test.html")));
  EXPECT_TRUE(dialog.unloaded);
  EXPECT_EQ(viewer.unloads, 1);
  Form_Unload(state, context);
  EXPECT_EQ(viewer.unloads, 2);
  EXPECT_TRUE(fs::exists(program.path() / "keep.html"));
}

TEST_F(ShutdownTest, UnloadBeforeTheProgramKnowsItsFolderDeletesNothingElsewhere) {
  // The current folder holds files of the same names that are the user's.
  test::TempFolder current;
  test::writeFile(current.path() / "blank.html", "mine");
  test::writeFile(current.path() / "test.html", "mine too");
  const fs::path before = fs::current_path();
  fs::current_path(current.path());
  Form_Unload(state, context);
  fs::current_path(before);
  EXPECT_TRUE(fs::exists(current.path() / "blank.html"));
  EXPECT_TRUE(fs::exists(current.path() / "test.html"));
}

TEST_F(ShutdownTest, UnloadNeverDeletesAFolderOfThatName) {
  run({"Alpha"});
  fs::remove(file("test.html"));
  fs::create_directory(file("test.html"));
  Form_Unload(state, context);
  EXPECT_TRUE(fs::is_directory(file("test.html")));
  EXPECT_FALSE(fs::exists(file("blank.html")));
}

TEST_F(ShutdownTest, QuitPollActsOnlyWhenClosedDuringItsPump) {
  run({"Alpha"});
  Timer1_Timer(state, context);
  EXPECT_EQ(pump.pumps, 1);
  EXPECT_EQ(viewer.unloads, 0);
  EXPECT_TRUE(fs::exists(file("blank.html")));

  pump.onPump = [this] { state.Quitting = true; };
  Timer1_Timer(state, context);
  EXPECT_FALSE(viewer.timer.enabled);
  EXPECT_FALSE(fs::exists(file("blank.html")));
  EXPECT_EQ(viewer.unloads, 1);
}

}  // namespace
}  // namespace selvara
