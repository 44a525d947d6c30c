// Colour searches over viewer screenshots.
#include "screen_checks.h"

#include <cstdlib>
#include <thread>

namespace e2e {

std::optional<Rect> findPageArea(const ScreenImage& shot) { return shot.boundsOf({0, 0, 0}, 8); }

std::vector<Thumbnail> findThumbnails(const ScreenImage& shot, const std::vector<CardSpec>& cards,
                                      int width, int height) {
  std::vector<Thumbnail> found;
  for (const CardSpec& card : cards) {
    auto box = shot.boundsOf(card.colour, kColourTolerance);
    if (!box || std::abs(box->width - width) > 1 || std::abs(box->height - height) > 1) continue;
    found.push_back({card.name, card.colour, *box});
  }
  return found;
}

std::optional<ScreenImage> waitForSteadyArea(X11Driver& display, const Rect& area,
                                             std::chrono::milliseconds limit) {
  auto deadline = std::chrono::steady_clock::now() + limit;
  std::optional<ScreenImage> previous;
  while (std::chrono::steady_clock::now() < deadline) {
    ScreenImage shot = display.grabArea(area);
    if (previous && previous->sameAs(shot)) return shot;
    previous = std::move(shot);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return std::nullopt;
}

}  // namespace e2e
