// The gallery page the program builds for a card set: title, file layout, card order and
// escaping, and the thumbnails a person actually sees in the viewer.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "popup_probe.h"
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

int byteAt(const std::string& text, std::size_t i) { return static_cast<unsigned char>(text[i]); }

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
  last.savePng(currentTestName() + "-gallery");
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

TEST(GalleryPage, PageBytesFollowTheLayoutExactly) {
  Sandbox sandbox;
  auto setPath =
      sandbox.makeCardSet("Exact", cardsNamed({"b0002", "a0002", "c0001", "b0001", "a0001"}));
  ViewerRun run(sandbox, {setPath.string()});
  XWindowId viewer = run.openWithOptions("Exact", {"oPopaction0"});

  // Every line the program writes ends in CR LF; a block's own text also starts and ends
  // with one, so blocks are set apart by three line breaks and the closing by three more.
  std::string expected = run.blankPage() +
                         "<center><font size='3' color='yellow'> Cards Exact  Thumbs 43 x 63  "
                         "PopUp 172 x 252  On Mouse Over  </font></center><br><br>\r\n"
                         "<table border=2 width='100%'><tr><td>\r\n";
  for (const char* name : {"a0001", "a0002", "c0001", "b0001", "b0002"}) {
    std::string path = (setPath / "data" / name / (std::string(name) + "c.jpg")).string();
    expected += "\r\n<img src='" + path + "' alt='" + name + "' onMouseOver='popup(\"" + path +
                "\",172,252)' onMouseOut='popout(this)' width='43' height='63'>\r\n\r\n";
  }
  expected += "\r\n</td></tr></table></div></body></html>\r\n";
  std::string actual = run.page();
  EXPECT_EQ(actual, expected);
  EXPECT_EQ(namesOf(parsePage(actual, run.blankPage()).cards),
            (std::vector<std::string>{"a0001", "a0002", "c0001", "b0001", "b0002"}));
  // The template is the page template resource, byte for byte.
  EXPECT_EQ(run.blankPage(), readFile(pageTemplateSource()));
  EXPECT_TRUE(run.closeViewerAndWait(viewer).exitedWith(0));
}

// Set and card folder names with characters that mean something in HTML, in URLs or to the
// shell must still give a page whose thumbnails and enlarged pictures all load. A double quote
// is tried in card names only: in the set's path the program refuses it (see below).
struct NameCase {
  std::string name;
  std::string setName;
  std::vector<std::string> cardNames;  // in the order the page must list them
};

void PrintTo(const NameCase& c, std::ostream* out) { *out << c.name; }

class GalleryPageNames : public ::testing::TestWithParam<NameCase> {};

std::string htmlUnescape(const std::string& text) {
  static const std::pair<const char*, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&#39;", '\''}};
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    bool replaced = false;
    for (const auto& [entity, c] : kEntities) {
      if (text.compare(i, std::char_traits<char>::length(entity), entity) == 0) {
        out += c;
        i += std::char_traits<char>::length(entity);
        replaced = true;
        break;
      }
    }
    if (!replaced) out += text[i++];
  }
  return out;
}

void expectEncodedPathTo(const std::string& encoded, const std::filesystem::path& file) {
  SCOPED_TRACE(encoded);
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    auto byte = static_cast<unsigned char>(encoded[i]);
    EXPECT_EQ(std::string("#?'\"<>&\\").find(encoded[i]), std::string::npos)
        << "raw " << encoded[i];
    EXPECT_TRUE(byte >= 0x20 && byte < 0x80) << "raw byte " << int(byte);
    if (encoded[i] == '%') {
      EXPECT_TRUE(i + 2 < encoded.size() && std::isxdigit(byteAt(encoded, i + 1)) &&
                  std::isxdigit(byteAt(encoded, i + 2)))
          << "bare %";
    }
  }
  EXPECT_EQ(percentDecode(encoded), file.string());
}

TEST_P(GalleryPageNames, PicturePathsAreEscapedAndEveryPictureLoads) {
  const NameCase& c = GetParam();
  Sandbox sandbox;
  // Made in reverse so the page's order cannot come from the order of creation.
  std::vector<std::string> reversed(c.cardNames.rbegin(), c.cardNames.rend());
  auto cards = cardsNamed(reversed);
  auto setPath = sandbox.makeCardSet(c.setName, cards);

  ViewerRun run(sandbox, {setPath.string()});
  XWindowId viewer = run.openWithOptions(c.setName, {});
  EXPECT_EQ(run.display().title(viewer), viewerTitle(c.setName));

  ParsedPage page = parsePage(run.page(), run.blankPage());
  ASSERT_EQ(page.cards.size(), c.cardNames.size());
  for (std::size_t i = 0; i < page.cards.size(); ++i) {
    const CardBlock& card = page.cards[i];
    const std::string& name = c.cardNames[i];
    SCOPED_TRACE(name);
    EXPECT_EQ(htmlUnescape(card.alt), name);
    EXPECT_EQ(card.alt.find_first_of("<>\"'"), std::string::npos) << "alt text not escaped";
    auto file = setPath / "data" / name / (name + "c.jpg");
    expectEncodedPathTo(card.src, file);
    expectEncodedPathTo(card.url, file);
  }

  // Park the pointer off the page so the baseline holds no popup.
  WindowGeometry where = run.display().geometry(viewer);
  run.display().movePointer(where.rootX, where.rootY);
  auto shot = waitForSteadyScreen(
      run.display(), viewer,
      [&](const ScreenImage& s) { return findThumbnails(s, cards, 43, 63).size() == cards.size(); },
      kDrawLimit);
  run.display().grabWindow(viewer).savePng(currentTestName() + "-gallery");
  if (!shot) run.fail("thumbnails behind escaped paths were not drawn");
  auto area = findPageArea(*shot);
  ASSERT_TRUE(area) << "no black page area in the viewer";
  PopupProbe probe(run.display(), *area, run.display().grabArea(*area), 172, 252);
  for (const Thumbnail& thumb : findThumbnails(*shot, cards, 43, 63)) {
    SCOPED_TRACE(thumb.name);
    Point pointer;
    std::string error;
    auto box = probe.click(thumb, pointer, error);
    if (!box) probe.lastShot().savePng(currentTestName() + "-no-popup");
    EXPECT_TRUE(box) << "enlarged picture behind an escaped path not shown: " << error;
    EXPECT_TRUE(probe.leave(thumb));
  }
  EXPECT_TRUE(run.closeViewerAndWait(viewer).exitedWith(0));
}

INSTANTIATE_TEST_SUITE_P(
    Names, GalleryPageNames,
    ::testing::Values(NameCase{"Plain", "Plain", {"a0001", "b0001"}},
                      NameCase{"SetHashAmpersandApostrophes", "Set #1 & 'Co'", {"a0001", "b0001"}},
                      NameCase{
                          "SetPercentAnglesQuestionMark", "100% <Mix>? a=b", {"a0001", "b0001"}},
                      NameCase{"SetNonAscii", "Ünïcode Sét Ωμέγα", {"a0001", "b0001"}},
                      NameCase{"CardQuotesAndMarkup", "Cards", {"a'&<>", "c\"#%?", "b\"'?&"}},
                      NameCase{"CardNonAscii", "Cards", {"aÜñé1", "cΩμέγ", "b0001"}}),
    [](const auto& p) { return p.param.name; });

// The splitter groups arguments with double quotes, so a set path holding one cannot reach
// the program intact; it says so and ends without writing anything.
TEST(GalleryPage, SetPathWithDoubleQuoteIsRefused) {
  Sandbox sandbox;
  auto setPath = sandbox.makeCardSet("Say \"Hi\"", cardsNamed({"a0001"}));
  ViewerRun run(sandbox, {setPath.string()});
  auto box = run.display().waitForMappedWindow("Selvara Card Viewer", run.process().pid(),
                                               kWindowWaitLimit);
  if (!box) run.fail("no message box about the double quote");
  run.display().waitUntilSettled(*box);
  run.display().grabWindow(*box).savePng(currentTestName() + "-message");
  EXPECT_NE(run.process().log().find(setPath.string()), std::string::npos)
      << "the message does not name the path";
  EXPECT_FALSE(run.display().findMappedWindow(kDialogTitle, run.process().pid()));
  run.display().sendDeleteWindow(*box);
  ExitStatus status = run.waitForExit();
  EXPECT_TRUE(status.exitedWith(2)) << status.describe();
  EXPECT_EQ(fileNames(sandbox.binDir()), std::vector<std::string>{sandbox.binary().filename()});
}

TEST(GalleryPage, SampleSetListsEveryCardFolder) {
  std::filesystem::path set = sampleSet();
  if (set.empty() || !std::filesystem::is_directory(set / "data"))
    GTEST_SKIP() << "no sample set at '" << set.string() << "'";
  // The sample's card folders are plain ASCII names; one of six characters is there on purpose
  // and is no card.
  std::map<char, std::vector<std::string>> byLetter;
  bool hasDecoy = false;
  for (const auto& entry : std::filesystem::directory_iterator(set / "data")) {
    std::string name = entry.path().filename();
    if (!entry.is_directory()) continue;
    if (name.size() == 5)
      byLetter[name[0]].push_back(name);
    else
      hasDecoy = true;
  }
  EXPECT_TRUE(hasDecoy) << "the sample set lost its folder with a name that is no card";
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
