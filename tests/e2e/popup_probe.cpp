// Pointer choreography and measurement for popup placement.
#include "popup_probe.h"

#include <thread>

namespace e2e {

namespace {

constexpr auto kPopupLimit = std::chrono::seconds(15);
constexpr auto kPoll = std::chrono::milliseconds(40);
// Pixels of the card's colour that may newly appear without a popup (edge noise).
constexpr int kNoiseAllowance = 40;

Point outsideLeft(const Thumbnail& thumb) { return {thumb.rect.x - 1, thumb.centreY()}; }

}  // namespace

PopupProbe::PopupProbe(X11Driver& display, const Rect& pageArea, ScreenImage baseline,
                       int popupWidth, int popupHeight)
    : display_(display),
      pageArea_(pageArea),
      baseline_(std::move(baseline)),
      lastShot_(baseline_),
      popupWidth_(popupWidth),
      popupHeight_(popupHeight) {}

std::optional<Rect> PopupProbe::waitShown(const Rgb& colour) {
  // A quarter of the popup is far more than a thumbnail's own edge noise and still less than
  // what stays visible of a popup partly covering its thumbnail.
  const int threshold = popupWidth_ * popupHeight_ / 4;
  auto deadline = std::chrono::steady_clock::now() + kPopupLimit;
  std::optional<Rect> previous;
  while (std::chrono::steady_clock::now() < deadline) {
    lastShot_ = display_.grabArea(pageArea_);
    int count = 0;
    auto box = lastShot_.boundsOfNew(baseline_, colour, kColourTolerance, &count);
    if (count >= threshold) {
      // Two equal boxes in a row: the popup has finished moving and drawing.
      if (previous && previous->x == box->x && previous->y == box->y &&
          previous->width == box->width && previous->height == box->height)
        return box;
      previous = box;
    } else {
      previous.reset();
    }
    std::this_thread::sleep_for(kPoll);
  }
  return std::nullopt;
}

bool PopupProbe::waitHidden(const Rgb& colour) {
  auto deadline = std::chrono::steady_clock::now() + kPopupLimit;
  while (std::chrono::steady_clock::now() < deadline) {
    lastShot_ = display_.grabArea(pageArea_);
    int count = 0;
    lastShot_.boundsOfNew(baseline_, colour, kColourTolerance, &count);
    if (count <= kNoiseAllowance) return true;
    std::this_thread::sleep_for(kPoll);
  }
  return false;
}

std::optional<Rect> PopupProbe::hover(const Thumbnail& thumb, Point& pointer, std::string& error) {
  Point outside = outsideLeft(thumb);
  Point inside{thumb.rect.x + 3, thumb.centreY()};
  // Twice: the first round may place the popup from a stale position; after the second,
  // the page has certainly seen the pointer at `outside` (it hid the popup on that move).
  for (int round = 0; round < 2; ++round) {
    display_.movePointer(outside.x, outside.y);
    display_.movePointer(inside.x, inside.y);
    if (!waitShown(thumb.colour)) {
      error = "no popup while the pointer rests on " + thumb.name;
      return std::nullopt;
    }
    display_.movePointer(outside.x, outside.y);
    if (!waitHidden(thumb.colour)) {
      error = "popup of " + thumb.name + " stayed after the pointer left it";
      return std::nullopt;
    }
  }
  pointer = {thumb.rect.x, thumb.centreY()};
  display_.movePointer(pointer.x, pointer.y);
  auto box = waitShown(thumb.colour);
  if (!box) error = "no popup on entering " + thumb.name;
  return box;
}

std::optional<Rect> PopupProbe::click(const Thumbnail& thumb, Point& pointer, std::string& error) {
  // Same spot as the hover's final position, so both modes share the thumbnail choice.
  pointer = {thumb.rect.x, thumb.centreY()};
  display_.movePointer(pointer.x, pointer.y);
  display_.click(pointer.x, pointer.y);
  auto box = waitShown(thumb.colour);
  if (!box) error = "no popup after clicking " + thumb.name;
  return box;
}

bool PopupProbe::leave(const Thumbnail& thumb) {
  Point outside = outsideLeft(thumb);
  display_.movePointer(outside.x, outside.y);
  return waitHidden(thumb.colour);
}

Point PopupProbe::expectedTopLeft(const Point& pointer) const {
  int mouseX = pointer.x - pageArea_.x, mouseY = pointer.y - pageArea_.y;
  int x = mouseX + 10, y = mouseY - 10;
  if (x + popupWidth_ > pageArea_.width) x -= popupWidth_ + 20;
  if (y + popupHeight_ > pageArea_.height) y = pageArea_.height - (popupHeight_ + 20);
  return {pageArea_.x + x, pageArea_.y + y};
}

}  // namespace e2e
