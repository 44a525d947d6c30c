// Where the enlarged card appears when a thumbnail is hovered or clicked: beside the pointer,
// flipped left near the right edge, lifted near the bottom edge, and gone on mouse-out.
//
// Expected positions come from the page's visible area as found on screen (its black
// background) and the pointer position: the page is never scrolled here, so page and screen
// coordinates differ only by that area's origin, and its size is the page's inner size.
#include <gtest/gtest.h>

#include "popup_probe.h"
#include "viewer_run.h"

namespace e2e {
namespace {

constexpr int kPositionTolerance = 2;
// Thumbnails are picked so each rule applies, or does not, by at least this many pixels:
// the outcome then cannot hinge on a scroll bar or a pixel of rounding.
constexpr int kClearance = 24;

struct Size {
  int width;
  int height;
};

enum class Placement { Beside, FlippedLeft, Lifted };

// What each placement is called in failures, and the name of its screenshot, which says where
// on the page the popup was opened.
struct PlacementNames {
  const char* trace;
  const char* shot;
};

PlacementNames names(Placement p) {
  switch (p) {
    case Placement::Beside:
      return {"beside", "popup-near-centre"};
    case Placement::FlippedLeft:
      return {"flipped-left", "popup-near-right-edge"};
    case Placement::Lifted:
      return {"lifted", "popup-near-bottom-edge"};
  }
  return {"?", "popup"};
}

std::vector<CardSpec> manyCards(int count) {
  std::vector<CardSpec> cards;
  for (int i = 0; i < count; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "a%04d", i + 1);
    cards.push_back({name, cardColour(static_cast<std::size_t>(i))});
  }
  return cards;
}

// Of the whole thumbnails on screen for which `placement` is clearly what the page must do,
// the one nearest the page's centre, so the plain case is seen away from every edge.
std::optional<Thumbnail> pickThumbnail(const std::vector<Thumbnail>& thumbs, const Rect& area,
                                       int popupW, int popupH, Placement placement) {
  std::optional<Thumbnail> best;
  long bestDistance = 0;
  for (const Thumbnail& t : thumbs) {
    int mouseX = t.rect.x - area.x, mouseY = t.centreY() - area.y;
    bool roomRight = mouseX + 10 + popupW < area.width - kClearance;
    bool pastRight = mouseX + 10 + popupW > area.width + kClearance;
    bool roomLeft = mouseX - popupW - 10 >= kClearance;
    bool roomBelow = mouseY - 10 + popupH < area.height - kClearance;
    bool pastBottom = mouseY - 10 + popupH > area.height + kClearance;
    bool roomAbove = mouseY - 10 >= kClearance && area.height - popupH - 20 >= 0;
    bool fits = false;
    switch (placement) {
      case Placement::Beside:
        fits = roomRight && roomBelow && roomAbove;
        break;
      case Placement::FlippedLeft:
        fits = pastRight && roomLeft && roomBelow && roomAbove;
        break;
      case Placement::Lifted:
        fits = roomRight && pastBottom && roomAbove;
        break;
    }
    if (!fits) continue;
    long dx = t.rect.x + t.rect.width / 2 - (area.x + area.width / 2);
    long dy = t.centreY() - (area.y + area.height / 2);
    if (!best || dx * dx + dy * dy < bestDistance) {
      best = t;
      bestDistance = dx * dx + dy * dy;
    }
  }
  return best;
}

struct PopupCase {
  std::string name;
  std::vector<std::string> clicks;
  int cardCount;
  Size thumb, popup;
  bool hover;  // mouse-over page, else popup on click
  std::vector<Placement> placements;
};

void PrintTo(const PopupCase& c, std::ostream* out) { *out << c.name; }

class PopupPlacement : public ::testing::TestWithParam<PopupCase> {};

TEST_P(PopupPlacement, FollowsThePointerAndTheEdges) {
  const PopupCase& c = GetParam();
  Sandbox sandbox;
  auto cards = manyCards(c.cardCount);
  auto setPath = sandbox.makeCardSet("Popups", cards);
  ViewerRun run(sandbox, {setPath.string()});
  XWindowId viewer = run.openWithOptions("Popups", c.clicks);
  X11Driver& display = run.display();

  // Park the pointer on the window frame, off the page, before taking the baseline.
  WindowGeometry where = display.geometry(viewer);
  display.movePointer(where.rootX, where.rootY);
  auto shot = waitForSteadyScreen(
      display, viewer,
      [&](const ScreenImage& s) {
        return !findThumbnails(s, cards, c.thumb.width, c.thumb.height).empty();
      },
      std::chrono::seconds(30));
  if (!shot) {
    display.grabWindow(viewer).savePng(currentTestName() + "-no-thumbnails");
    run.fail("no thumbnails drawn");
  }
  shot->savePng(currentTestName() + "-page");
  auto area = findPageArea(*shot);
  ASSERT_TRUE(area) << "no black page area in the viewer";
  auto thumbs = findThumbnails(*shot, cards, c.thumb.width, c.thumb.height);

  PopupProbe probe(display, *area, display.grabArea(*area), c.popup.width, c.popup.height);
  for (Placement placement : c.placements) {
    SCOPED_TRACE(names(placement).trace);
    auto thumb = pickThumbnail(thumbs, *area, c.popup.width, c.popup.height, placement);
    ASSERT_TRUE(thumb) << "no thumbnail on screen where the popup must be "
                       << names(placement).trace << "; page area " << area->describe() << ", "
                       << thumbs.size() << " thumbnails visible";
    Point pointer;
    std::string error;
    auto box = c.hover ? probe.hover(*thumb, pointer, error) : probe.click(*thumb, pointer, error);
    probe.lastShot().savePng(currentTestName() + "-" + names(placement).shot);
    ASSERT_TRUE(box) << error;

    Point expected = probe.expectedTopLeft(pointer);
    EXPECT_NEAR(box->x, expected.x, kPositionTolerance)
        << thumb->name << " at " << thumb->rect.describe() << ", pointer " << pointer.x << ","
        << pointer.y << ", popup " << box->describe();
    EXPECT_NEAR(box->y, expected.y, kPositionTolerance)
        << thumb->name << ", pointer " << pointer.x << "," << pointer.y << ", popup "
        << box->describe();
    EXPECT_NEAR(box->width, c.popup.width, 1) << "popup not drawn at its chosen size";
    EXPECT_NEAR(box->height, c.popup.height, 1) << "popup not drawn at its chosen size";
    EXPECT_TRUE(probe.leave(*thumb)) << "popup stayed after the pointer left " << thumb->name;
  }
  EXPECT_TRUE(run.closeViewerAndWait(viewer).exitedWith(0));
}

INSTANTIATE_TEST_SUITE_P(
    Pointer, PopupPlacement,
    ::testing::Values(
        // Full-size thumbnails wrap after a few per row and fill the window's height quickly,
        // so one small set has thumbnails at the left, the right edge and the bottom.
        PopupCase{"HoverFullSize",
                  {"oThumb4", "oPopaction0"},
                  28,
                  {172, 252},
                  {258, 378},
                  true,
                  {Placement::Beside, Placement::FlippedLeft, Placement::Lifted}},
        // Medium thumbnails fill the top of the page only, leaving room beside and below.
        PopupCase{"HoverMedium",
                  {"oPopaction0"},
                  80,
                  {43, 63},
                  {172, 252},
                  true,
                  {Placement::Beside, Placement::FlippedLeft, Placement::Lifted}},
        PopupCase{"ClickMedium",
                  {},
                  80,
                  {43, 63},
                  {172, 252},
                  false,
                  {Placement::Beside, Placement::FlippedLeft, Placement::Lifted}}),
    [](const auto& p) { return p.param.name; });

}  // namespace
}  // namespace e2e
