// Reading the viewer's screen: where the page is drawn and where each card's thumbnail sits,
// found by colour, with bounded waiting for the page to finish drawing.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "card_set.h"
#include "x11_driver.h"

namespace e2e {

inline constexpr int kColourTolerance = 12;

struct Thumbnail {
  std::string name;
  Rgb colour;
  Rect rect;  // root coordinates
  int centreY() const { return rect.y + rect.height / 2; }
};

// The page's visible area inside the viewer: the bounding box of its black background. The
// window's own frame and any classic scroll bar are not black, so they stay outside.
std::optional<Rect> findPageArea(const ScreenImage& viewerShot);

// Thumbnails of `cards` drawn whole (exactly width x height, within a pixel) in `shot`.
std::vector<Thumbnail> findThumbnails(const ScreenImage& shot, const std::vector<CardSpec>& cards,
                                      int width, int height);

// Polls screenshots of `window` until `ready` holds for one of them and two grabs in a row
// are identical (the page has stopped drawing); returns that screenshot, or nothing when
// `limit` passes first.
template <typename Ready>
std::optional<ScreenImage> waitForSteadyScreen(X11Driver& display, XWindowId window, Ready ready,
                                               std::chrono::milliseconds limit);

// Grabs of a fixed area until two in a row match; the last one, or nothing after `limit`.
std::optional<ScreenImage> waitForSteadyArea(X11Driver& display, const Rect& area,
                                             std::chrono::milliseconds limit);

// Template definition kept here so every test can instantiate it.
template <typename Ready>
std::optional<ScreenImage> waitForSteadyScreen(X11Driver& display, XWindowId window, Ready ready,
                                               std::chrono::milliseconds limit) {
  auto deadline = std::chrono::steady_clock::now() + limit;
  std::optional<ScreenImage> previous;
  while (std::chrono::steady_clock::now() < deadline) {
    ScreenImage shot = display.grabWindow(window);
    if (ready(shot) && previous && previous->sameAs(shot)) return shot;
    previous = std::move(shot);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return std::nullopt;
}

}  // namespace e2e
