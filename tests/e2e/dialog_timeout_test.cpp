// An untouched option dialog gives up by itself after about a minute and the gallery follows.
#include <gtest/gtest.h>

#include <thread>

#include "screen_checks.h"
#include "viewer_run.h"

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;

// The dialog's minute starts after the program does, so nothing may end it before this even
// on a slow machine; the limit after it only bounds the wait.
constexpr auto kStillOpenFor = std::chrono::seconds(50);
constexpr auto kGalleryBy = std::chrono::seconds(100);

TEST(OptionDialogTimeout, GalleryAppearsAboutAMinuteLater) {
  Sandbox sandbox;
  const std::vector<CardSpec> cards = {{"a0001", cardColour(0)}, {"c0001", cardColour(1)}};
  auto setPath = sandbox.makeCardSet("Idle", cards);
  auto started = Clock::now();
  ViewerRun run(sandbox, {setPath.string()});
  XWindowId dialog = run.waitForDialog();
  // Keep the pointer away from the dialog: it is left alone.
  run.display().movePointer(run.display().screenWidth() - 1, run.display().screenHeight() - 1);

  const std::string title = viewerTitle("Idle");
  while (Clock::now() - started < kStillOpenFor) {
    ASSERT_TRUE(run.display().isMapped(dialog))
        << "dialog hid after "
        << std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - started).count() << " s";
    ASSERT_FALSE(run.display().findMappedWindow(title, run.process().pid()))
        << "viewer appeared before the dialog timed out";
    ASSERT_FALSE(std::filesystem::exists(run.pagePath())) << "page written before the timeout";
    ASSERT_TRUE(run.process().running()) << run.process().log();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
  }

  auto remaining = kGalleryBy - (Clock::now() - started);
  XWindowId viewer =
      run.waitForViewer(title, std::chrono::duration_cast<std::chrono::milliseconds>(remaining));
  EXPECT_FALSE(run.display().isMapped(dialog)) << "dialog still shown after timing out";
  ParsedPage page = parsePage(run.page(), run.blankPage());
  ASSERT_EQ(page.cards.size(), cards.size());
  EXPECT_EQ(page.cards[0].event, "onMouseDown") << "defaults not used after the timeout";

  auto shot = waitForSteadyScreen(
      run.display(), viewer,
      [&](const ScreenImage& s) { return findThumbnails(s, cards, 43, 63).size() == cards.size(); },
      std::chrono::seconds(30));
  run.display().grabWindow(viewer).savePng(currentTestName());
  EXPECT_TRUE(shot) << "the gallery's thumbnails were not drawn after the timeout";
  EXPECT_TRUE(run.closeViewerAndWait(viewer).exitedWith(0));
}

}  // namespace
}  // namespace e2e
