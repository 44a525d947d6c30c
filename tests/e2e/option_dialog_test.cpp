// The "Option Settings" dialog worked with real pointer clicks and keys: its size, how each
// choice reaches the written page and the thumbnails on screen, and the size rule.
#include <gtest/gtest.h>

#include <thread>

#include "screen_checks.h"
#include "viewer_run.h"

namespace e2e {
namespace {

struct OptionCase {
  std::string name;
  std::vector<std::string> clicks;  // radio buttons, in click order
  int thumbWidth, thumbHeight;
  int popupWidth, popupHeight;
  std::string event;
};

void PrintTo(const OptionCase& c, std::ostream* out) { *out << c.name; }

const std::vector<CardSpec> kCards = {{"a0001", cardColour(0)}, {"b0001", cardColour(1)}};

class OptionChoices : public ::testing::TestWithParam<OptionCase> {};

TEST_P(OptionChoices, ReachThePageAndTheScreen) {
  const OptionCase& expected = GetParam();
  Sandbox sandbox;
  auto setPath = sandbox.makeCardSet("Options", kCards);
  ViewerRun run(sandbox, {setPath.string()});
  XWindowId viewer = run.openWithOptions("Options", expected.clicks);

  ParsedPage page = parsePage(run.page(), run.blankPage());
  ASSERT_EQ(page.cards.size(), kCards.size());
  for (const CardBlock& card : page.cards) {
    SCOPED_TRACE(card.alt);
    EXPECT_EQ(card.event, expected.event);
    EXPECT_EQ(std::make_pair(card.thumbWidth, card.thumbHeight),
              std::make_pair(expected.thumbWidth, expected.thumbHeight));
    EXPECT_EQ(std::make_pair(card.popupWidth, card.popupHeight),
              std::make_pair(expected.popupWidth, expected.popupHeight));
  }
  std::string sizes = "Thumbs " + std::to_string(expected.thumbWidth) + " x " +
                      std::to_string(expected.thumbHeight) + "  PopUp " +
                      std::to_string(expected.popupWidth) + " x " +
                      std::to_string(expected.popupHeight) + "  ";
  EXPECT_NE(page.heading.find(sizes), std::string::npos) << page.heading;

  auto shot = waitForSteadyScreen(
      run.display(), viewer,
      [&](const ScreenImage& s) {
        return findThumbnails(s, kCards, expected.thumbWidth, expected.thumbHeight).size() ==
               kCards.size();
      },
      std::chrono::seconds(30));
  run.display().grabWindow(viewer).savePng(currentTestName());
  EXPECT_TRUE(shot) << "thumbnails not drawn at " << expected.thumbWidth << "x"
                    << expected.thumbHeight;
  EXPECT_TRUE(run.closeViewerAndWait(viewer).exitedWith(0));
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, OptionChoices,
    ::testing::Values(
        OptionCase{"Untouched", {}, 43, 63, 172, 252, "onMouseDown"},
        // Full-size thumbnails would hide a full-size popup, so the popup moves up a size.
        OptionCase{"FullThumbsRaisePopup", {"oThumb4"}, 172, 252, 258, 378, "onMouseDown"},
        OptionCase{"MouseOver", {"oPopaction0"}, 43, 63, 172, 252, "onMouseOver"},
        OptionCase{"MouseOverThenClickAgain",
                   {"oPopaction0", "oPopaction1"},
                   43,
                   63,
                   172,
                   252,
                   "onMouseDown"},
        OptionCase{"TinyDouble", {"oThumb0", "oPopup3"}, 11, 16, 344, 504, "onMouseDown"},
        OptionCase{"SmallHalf", {"oThumb1", "oPopup0"}, 22, 32, 86, 126, "onMouseDown"},
        OptionCase{"LargeOneAndHalfOver",
                   {"oThumb3", "oPopup2", "oPopaction0"},
                   86,
                   126,
                   258,
                   378,
                   "onMouseOver"}),
    [](const auto& p) { return p.param.name; });

TEST(OptionDialog, HasItsClientSizeAndHidesOnEscape) {
  Sandbox sandbox;
  auto setPath = sandbox.makeCardSet("Keys", kCards);
  ViewerRun run(sandbox, {setPath.string()});
  XWindowId dialog = run.waitForDialog();
  WindowGeometry where = run.display().geometry(dialog);
  EXPECT_EQ(where.width, kDialogClientWidth);
  EXPECT_EQ(where.height, kDialogClientHeight);
  EXPECT_EQ(run.display().title(dialog), kDialogTitle);
  run.display().grabWindow(dialog).savePng(currentTestName() + "-dialog");

  // The click also gives the dialog the keyboard focus the Escape key needs.
  run.clickRadio(dialog, "oThumb3");
  EXPECT_FALSE(run.display().findMappedWindow(viewerTitle("Keys"), run.process().pid()))
      << "viewer shown while the dialog is still open";
  run.display().pressKey("Escape");
  EXPECT_TRUE(run.display().waitUntilUnmapped(dialog)) << "Escape did not hide the dialog";
  XWindowId viewer = run.waitForViewer(viewerTitle("Keys"));

  ParsedPage page = parsePage(run.page(), run.blankPage());
  ASSERT_FALSE(page.cards.empty());
  EXPECT_EQ(page.cards[0].thumbWidth, 86) << "choice made before Escape was lost";
  EXPECT_EQ(page.cards[0].thumbHeight, 126);
  EXPECT_TRUE(run.closeViewerAndWait(viewer).exitedWith(0));
}

TEST(OptionDialog, ShowsItsChoicesAndAppliesTheSizeRule) {
  Sandbox sandbox;
  auto setPath = sandbox.makeCardSet("Shown", kCards);
  ViewerRun run(sandbox, {setPath.string()});
  XWindowId dialog = run.waitForDialog();
  for (const RadioButton& button : radioButtons()) {
    bool chosen = button.id == "oThumb2" || button.id == "oPopup1" || button.id == "oPopaction1";
    EXPECT_EQ(run.radioShownSelected(dialog, button.id), chosen) << button.id;
  }

  // Full-size thumbnails push the full-size popup up to one and a half, visibly.
  run.clickRadio(dialog, "oThumb4");
  bool moved = false;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!moved && std::chrono::steady_clock::now() < deadline) {
    moved = run.radioShownSelected(dialog, "oPopup2") && !run.radioShownSelected(dialog, "oPopup1");
    if (!moved) std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
  run.display().grabWindow(dialog).savePng(currentTestName() + "-after-full-size");
  EXPECT_TRUE(moved) << "popup choice did not move to One and a Half";
  EXPECT_FALSE(run.radioShownSelected(dialog, "oThumb2")) << "two thumbnail sizes chosen";

  run.closeDialog(dialog);
  XWindowId viewer = run.waitForViewer(viewerTitle("Shown"));
  EXPECT_TRUE(run.closeViewerAndWait(viewer).exitedWith(0));
}

}  // namespace
}  // namespace e2e
