// How the program ends: closing the viewer or a termination signal removes the pages it
// wrote beside its executable and exits cleanly; without a set it shows a blank viewer.
#include <gtest/gtest.h>

#include <csignal>

#include "viewer_run.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

const std::vector<CardSpec> kCards = {{"a0001", cardColour(0)}, {"c0001", cardColour(1)}};

// Opens a set's viewer and checks both pages exist while it is shown.
XWindowId openViewer(ViewerRun& run, const fs::path& setPath) {
  XWindowId viewer = run.openWithOptions(setPath.filename().string(), {});
  EXPECT_TRUE(fs::exists(run.blankPath())) << "blank.html not beside the executable";
  EXPECT_TRUE(fs::exists(run.pagePath())) << "test.html not beside the executable";
  return viewer;
}

TEST(Shutdown, ClosingTheViewerRemovesPagesAndExitsZero) {
  Sandbox sandbox;
  auto setPath = sandbox.makeCardSet("Closing", kCards);
  ViewerRun run(sandbox, {setPath.string()});
  XWindowId viewer = openViewer(run, setPath);

  ExitStatus status = run.closeViewerAndWait(viewer);
  EXPECT_TRUE(status.exitedWith(0)) << status.describe() << "\n" << run.process().log();
  EXPECT_FALSE(fs::exists(run.pagePath()));
  EXPECT_FALSE(fs::exists(run.blankPath()));
  EXPECT_FALSE(run.display().findMappedWindow(viewerTitle("Closing"), run.process().pid()));
}

class ShutdownSignal : public ::testing::TestWithParam<int> {};

TEST_P(ShutdownSignal, RemovesPagesAndExitsZero) {
  Sandbox sandbox;
  auto setPath = sandbox.makeCardSet("Signalled", kCards);
  ViewerRun run(sandbox, {setPath.string()});
  openViewer(run, setPath);

  run.process().sendSignal(GetParam());
  ExitStatus status = run.waitForExit();
  EXPECT_TRUE(status.exitedWith(0)) << status.describe() << "\n" << run.process().log();
  EXPECT_FALSE(fs::exists(run.pagePath()));
  EXPECT_FALSE(fs::exists(run.blankPath()));
}

INSTANTIATE_TEST_SUITE_P(Signals, ShutdownSignal, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const auto& p) { return std::string(sigabbrev_np(p.param)); });

TEST(Shutdown, WithoutASetShowsBlankViewerAndCleansUp) {
  // The template the program writes, taken from a run with a set, to compare against.
  std::string templateBytes;
  {
    Sandbox reference;
    auto setPath = reference.makeCardSet("Reference", kCards);
    ViewerRun run(reference, {setPath.string()});
    XWindowId viewer = openViewer(run, setPath);
    templateBytes = run.blankPage();
    EXPECT_TRUE(run.closeViewerAndWait(viewer).exitedWith(0));
  }

  Sandbox sandbox;
  ViewerRun run(sandbox, {});
  // The options are asked before the command line is read, so the dialog comes first here too.
  XWindowId dialog = run.waitForDialog();
  EXPECT_FALSE(run.display().findMappedWindow(kBlankViewerTitle, run.process().pid()))
      << "viewer shown while the dialog is still open";
  run.closeDialog(dialog);
  XWindowId viewer = run.waitForViewer(kBlankViewerTitle);
  EXPECT_EQ(run.display().title(viewer), "Selvara Card Collection View");
  EXPECT_TRUE(fs::exists(run.blankPath()));
  EXPECT_FALSE(fs::exists(run.pagePath())) << "test.html written without a set";
  EXPECT_EQ(run.blankPage(), templateBytes);
  EXPECT_TRUE(fileNames(sandbox.workDir()).empty()) << "files written to the working directory";
  run.display().grabWindow(viewer).savePng(currentTestName());

  ExitStatus status = run.closeViewerAndWait(viewer);
  EXPECT_TRUE(status.exitedWith(0)) << status.describe();
  EXPECT_FALSE(fs::exists(run.blankPath()));
  EXPECT_EQ(fileNames(sandbox.binDir()), std::vector<std::string>{sandbox.binary().filename()});
}

}  // namespace
}  // namespace e2e
