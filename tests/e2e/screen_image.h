// Screenshots as plain RGB pixel grids, with the colour searches the tests make on them and
// saving as PNG for a person to look at afterwards.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;

  // JPEG and scaling shift a solid colour by a few steps, so colours match within a tolerance.
  bool near(const Rgb& other, int tolerance) const;
  std::string hex() const;  // "#rrggbb", the form convert takes
  bool operator==(const Rgb&) const = default;
};

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  int right() const { return x + width; }    // one past the last column
  int bottom() const { return y + height; }  // one past the last row
  bool contains(int px, int py) const {
    return px >= x && px < right() && py >= y && py < bottom();
  }
  std::string describe() const;
};

class ScreenImage {
 public:
  ScreenImage() = default;
  // `origin` is where the top-left pixel sits in root-window coordinates.
  ScreenImage(int originX, int originY, int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  int originX() const { return originX_; }
  int originY() const { return originY_; }

  // Coordinates here are root-window coordinates, so results from different grabs compare.
  Rgb at(int rootX, int rootY) const;
  void set(int rootX, int rootY, const Rgb& colour);
  bool covers(int rootX, int rootY) const;

  // Bounding box (root coordinates) and count of pixels near `colour`.
  std::optional<Rect> boundsOf(const Rgb& colour, int tolerance) const;
  int countOf(const Rgb& colour, int tolerance) const;

  // Pixels near `colour` here that were not near it in `before` (same area): what newly
  // appeared in that colour, e.g. an enlarged card drawn over its own thumbnail.
  std::optional<Rect> boundsOfNew(const ScreenImage& before, const Rgb& colour, int tolerance,
                                  int* count = nullptr) const;

  bool sameAs(const ScreenImage& other) const;

  // Writes a PNG named `name`.png into E2E_SCREENSHOT_DIR, or the working directory when that
  // is unset; returns the path written.
  std::filesystem::path savePng(const std::string& name) const;

 private:
  int originX_ = 0;
  int originY_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> rgb_;
};

// Directory screenshots go to (created when missing).
std::filesystem::path screenshotDir();

}  // namespace e2e
