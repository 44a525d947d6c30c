// An untouched option dialog gives up by itself after about a minute and the viewer follows.
#include <gtest/gtest.h>

#include <thread>

#include "viewer_run.h"

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;

TEST(OptionDialogTimeout, ViewerFollowsAboutAMinuteLater) {
  Sandbox sandbox;
  auto setPath = sandbox.makeCardSet("Idle", {{"a0001", cardColour(0)}});
  auto started = Clock::now();
  ViewerRun run(sandbox, {setPath.string()});
  XWindowId dialog = run.waitForDialog();

  // For the first 40 seconds the dialog must stay up and no viewer may appear.
  const std::string title = viewerTitle("Idle");
  while (Clock::now() - started < std::chrono::seconds(40)) {
    ASSERT_TRUE(run.display().isMapped(dialog))
        << "dialog hid after "
        << std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - started).count() << " s";
    ASSERT_FALSE(run.display().findMappedWindow(title, run.process().pid()))
        << "viewer appeared before the dialog timed out";
    ASSERT_TRUE(run.process().running()) << run.process().log();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
  }

  auto remaining = std::chrono::seconds(90) - (Clock::now() - started);
  XWindowId viewer =
      run.waitForViewer(title, std::chrono::duration_cast<std::chrono::milliseconds>(remaining));
  EXPECT_FALSE(run.display().isMapped(dialog)) << "dialog still shown after timing out";
  ParsedPage page = parsePage(run.page(), run.blankPage());
  ASSERT_EQ(page.cards.size(), 1u);
  EXPECT_EQ(page.cards[0].event, "onMouseDown") << "defaults not used after the timeout";
  EXPECT_TRUE(run.closeViewerAndWait(viewer).exitedWith(0));
}

}  // namespace
}  // namespace e2e
