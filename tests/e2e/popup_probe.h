// Triggers a card's enlarged popup with the real pointer and measures where it is drawn.
//
// The page script places the popup from the last mouse position it saw. On mouse-over that is
// the position of the mousemove that came before the thumbnail was entered, so the probe first
// parks the pointer one pixel outside the thumbnail and proves the page saw that position
// (the popup hides on leaving), then steps one pixel in. Expected positions are therefore
// measured from the pointer's final position with a tolerance of 2 pixels.
#pragma once

#include <optional>
#include <string>

#include "screen_checks.h"

namespace e2e {

struct Point {
  int x = 0;
  int y = 0;
};

class PopupProbe {
 public:
  // `pageArea` is the page's visible area (root coordinates); `baseline` a grab of it with
  // no popup shown.
  PopupProbe(X11Driver& display, const Rect& pageArea, ScreenImage baseline, int popupWidth,
             int popupHeight);

  // Pops `thumb` up by moving onto it; the popup's box (root coordinates), or an error text.
  std::optional<Rect> hover(const Thumbnail& thumb, Point& pointer, std::string& error);
  // Pops `thumb` up by a left click on it.
  std::optional<Rect> click(const Thumbnail& thumb, Point& pointer, std::string& error);
  // Moves off the thumbnail and reports whether the popup went away.
  bool leave(const Thumbnail& thumb);

  // Where the page script must put the popup's top-left for a mouse at `pointer` (root
  // coordinates), with the page unscrolled and its viewport equal to the page area.
  Point expectedTopLeft(const Point& pointer) const;

  const ScreenImage& lastShot() const { return lastShot_; }

 private:
  std::optional<Rect> waitShown(const Rgb& colour);
  bool waitHidden(const Rgb& colour);

  X11Driver& display_;
  Rect pageArea_;
  ScreenImage baseline_;
  ScreenImage lastShot_;
  int popupWidth_;
  int popupHeight_;
};

}  // namespace e2e
