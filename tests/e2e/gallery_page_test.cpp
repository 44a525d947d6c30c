// The gallery page the program builds for a card set: title, file layout, card order and
// escaping, and the thumbnails a person actually sees in the viewer.
#include <algorithm>
#include <map>

#include <gtest/gtest.h>

#include "screen_checks.h"
#include "viewer_run.h"

namespace e2e {
namespace {

constexpr auto kDrawLimit = std::chrono::seconds(30);

std::vector<CardSpec> cardsNamed(const std::vector<std::string>& names) {
  std::vector<CardSpec> cards;
  for (std::size_t i = 0; i < names.size(); ++i) cards.push_back({names[i], cardColour(i)});
  return cards;
}

std::vector<std::string> namesOf(const std::vector<CardBlock>& blocks) {
  std::vector<std::string> names;
  for (const CardBlock& block : blocks) names.push_back(block.alt);
  return names;
}

TEST(GalleryPage, SetWithSpaceListsCardsInACBOrderAndShowsThem) {
  Sandbox sandbox;
  // Created out of order on purpose: the order must come from the names, not the disk.
  auto cards = cardsNamed({"b0002", "c0002", "a0010", "b0001", "a0001", "c0001", "a0002"});
  auto setPath = sandbox.makeCardSet("My Set", cards);
  const std::vector<std::string> expectedOrder = {"a0001", "a0002", "a0010", "c0001",
                                                  "c0002", "b0001", "b0002"};

  ViewerRun run(sandbox, {setPath.string()});
  XWindowId dialog = run.waitForDialog();
  EXPECT_FALSE(std::filesystem::exists(run.pagePath())) << "page built before the dialog closed";
  run.closeDialog(dialog);
  XWindowId viewer = run.waitForViewer(viewerTitle("My Set"));
  EXPECT_FALSE(run.display().isMapped(dialog)) << "dialog still shown beside the viewer";
  EXPECT_EQ(run.display().title(viewer), "SET - My Set - Selvara Card Viewer - Version 1.0.0.1");

  ParsedPage page = parsePage(run.page(), run.blankPage());
  EXPECT_EQ(page.heading,
            "<center><font size='3' color='yellow'> Cards My Set  Thumbs 43 x 63  PopUp 172 x 252"
            "  On Mouse Down  </font></center><br><br>");
  EXPECT_EQ(namesOf(page.cards), expectedOrder);
  for (const CardBlock& card : page.cards) {
    SCOPED_TRACE(card.alt);
    EXPECT_EQ(card.src, (setPath / "data" / card.alt / (card.alt + "c.jpg")).string());
    EXPECT_EQ(card.event, "onMouseDown");
    EXPECT_TRUE(card.url.ends_with("/" + card.alt + "/" + card.alt + "c.jpg")) << card.url;
    EXPECT_EQ(std::make_pair(card.thumbWidth, card.thumbHeight), std::make_pair(43, 63));
    EXPECT_EQ(std::make_pair(card.popupWidth, card.popupHeight), std::make_pair(172, 252));
  }
  EXPECT_TRUE(fileNames(sandbox.workDir()).empty()) << "files written to the working directory";

  auto shot = waitForSteadyScreen(
      run.display(), viewer,
      [&](const ScreenImage& s) { return findThumbnails(s, cards, 43, 63).size() == cards.size(); },
      kDrawLimit);
  ScreenImage last = run.display().grabWindow(viewer);
  last.savePng(currentTestName());
  ASSERT_TRUE(shot) << "not every card was drawn as a 43x63 thumbnail";
  auto thumbs = findThumbnails(*shot, cards, 43, 63);
  // On one row the thumbnails must run left to right in page order.
  std::sort(thumbs.begin(), thumbs.end(),
            [](const Thumbnail& a, const Thumbnail& b) { return a.rect.x < b.rect.x; });
  std::vector<std::string> onScreen;
  for (const Thumbnail& t : thumbs) {
    onScreen.push_back(t.name);
    EXPECT_NEAR(t.rect.y, thumbs.front().rect.y, 1) << t.name << " not on the first row";
  }
  EXPECT_EQ(onScreen, expectedOrder);
  auto area = findPageArea(*shot);
  ASSERT_TRUE(area) << "no black page background in the viewer";
  for (const Thumbnail& t : thumbs) EXPECT_TRUE(area->contains(t.rect.x, t.rect.y)) << t.name;

  EXPECT_TRUE(run.closeViewerAndWait(viewer).exitedWith(0));
}

// Set names with characters that mean something in HTML or URLs must still give a page whose
// picture paths lead to the files.
class GalleryPageNames : public ::testing::TestWithParam<std::string> {};

TEST_P(GalleryPageNames, PicturePathsAreEscapedAndStillLoad) {
  Sandbox sandbox;
  const std::string setName = GetParam();
  auto cards = cardsNamed({"a0001", "b0001"});
  auto setPath = sandbox.makeCardSet(setName, cards);

  ViewerRun run(sandbox, {setPath.string()});
  run.closeDialog(run.waitForDialog());
  XWindowId viewer = run.waitForViewer(viewerTitle(setName));
  EXPECT_EQ(run.display().title(viewer), viewerTitle(setName));

  ParsedPage page = parsePage(run.page(), run.blankPage());
  ASSERT_EQ(namesOf(page.cards), (std::vector<std::string>{"a0001", "b0001"}));
  for (const CardBlock& card : page.cards) {
    SCOPED_TRACE(card.src);
    for (std::size_t i = 0; i < card.src.size(); ++i) {
      auto byte = static_cast<unsigned char>(card.src[i]);
      EXPECT_EQ(std::string("#?'\"<>&\\").find(card.src[i]), std::string::npos) << "raw " << card.src[i];
      EXPECT_TRUE(byte >= 0x20 && byte < 0x80) << "raw byte " << int(byte);
      if (card.src[i] == '%') {
        EXPECT_TRUE(i + 2 < card.src.size() && std::isxdigit(card.src[i + 1]) &&
                    std::isxdigit(card.src[i + 2]))
            << "bare %";
      }
    }
    EXPECT_EQ(percentDecode(card.src), (setPath / "data" / card.alt / (card.alt + "c.jpg")).string());
  }

  auto shot = waitForSteadyScreen(
      run.display(), viewer,
      [&](const ScreenImage& s) { return findThumbnails(s, cards, 43, 63).size() == cards.size(); },
      kDrawLimit);
  if (!shot) run.display().grabWindow(viewer).savePng(currentTestName());
  EXPECT_TRUE(shot) << "pictures behind escaped paths were not drawn";
  EXPECT_TRUE(run.closeViewerAndWait(viewer).exitedWith(0));
}

INSTANTIATE_TEST_SUITE_P(Names, GalleryPageNames,
                         ::testing::Values("Plain", "Set #1 & 'Co'", "100% <Mix> \"x\"",
                                           "Ünïcode Sét"),
                         [](const auto& p) { return "case" + std::to_string(p.index); });

TEST(GalleryPage, SampleSetListsEveryCardFolder) {
  std::filesystem::path set = sampleSet();
  if (set.empty() || !std::filesystem::is_directory(set / "data"))
    GTEST_SKIP() << "no sample set at '" << set.string() << "'";
  std::map<char, std::vector<std::string>> byLetter;
  for (const auto& entry : std::filesystem::directory_iterator(set / "data"))
    if (entry.is_directory()) byLetter[entry.path().filename().string()[0]].push_back(entry.path().filename());
  std::vector<std::string> expected;
  for (char letter : {'a', 'c', 'b'}) {
    auto names = byLetter[letter];
    std::sort(names.begin(), names.end());
    expected.insert(expected.end(), names.begin(), names.end());
  }
  ASSERT_FALSE(expected.empty()) << "sample set has no a/b/c card folders";

  Sandbox sandbox;
  ViewerRun run(sandbox, {set.string()});
  run.closeDialog(run.waitForDialog());
  XWindowId viewer = run.waitForViewer(viewerTitle(set.filename().string()));
  EXPECT_EQ(namesOf(parsePage(run.page(), run.blankPage()).cards), expected);
  EXPECT_TRUE(run.closeViewerAndWait(viewer).exitedWith(0));
}

}  // namespace
}  // namespace e2e
