// Pixel grid operations and PNG output (PPM written here, converted by ImageMagick).
#include "screen_image.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace e2e {

bool Rgb::near(const Rgb& other, int tolerance) const {
  return std::abs(r - other.r) <= tolerance && std::abs(g - other.g) <= tolerance &&
         std::abs(b - other.b) <= tolerance;
}

std::string Rgb::hex() const {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", r & 0xff, g & 0xff, b & 0xff);
  return text;
}

std::string Rect::describe() const {
  return "(" + std::to_string(x) + "," + std::to_string(y) + " " + std::to_string(width) + "x" +
         std::to_string(height) + ")";
}

ScreenImage::ScreenImage(int originX, int originY, int width, int height)
    : originX_(originX),
      originY_(originY),
      width_(width),
      height_(height),
      rgb_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3, 0) {}

bool ScreenImage::covers(int rootX, int rootY) const {
  int x = rootX - originX_, y = rootY - originY_;
  return x >= 0 && y >= 0 && x < width_ && y < height_;
}

Rgb ScreenImage::at(int rootX, int rootY) const {
  if (!covers(rootX, rootY)) throw std::out_of_range("pixel outside screenshot");
  std::size_t i = (static_cast<std::size_t>(rootY - originY_) * width_ + (rootX - originX_)) * 3;
  return {rgb_[i], rgb_[i + 1], rgb_[i + 2]};
}

void ScreenImage::set(int rootX, int rootY, const Rgb& colour) {
  if (!covers(rootX, rootY)) throw std::out_of_range("pixel outside screenshot");
  std::size_t i = (static_cast<std::size_t>(rootY - originY_) * width_ + (rootX - originX_)) * 3;
  rgb_[i] = static_cast<std::uint8_t>(colour.r);
  rgb_[i + 1] = static_cast<std::uint8_t>(colour.g);
  rgb_[i + 2] = static_cast<std::uint8_t>(colour.b);
}

namespace {

struct BoxBuilder {
  int minX = 0, minY = 0, maxX = -1, maxY = -1, count = 0;
  void add(int x, int y) {
    if (count == 0) {
      minX = maxX = x;
      minY = maxY = y;
    } else {
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
      minY = std::min(minY, y);
      maxY = std::max(maxY, y);
    }
    ++count;
  }
  std::optional<Rect> rect() const {
    if (count == 0) return std::nullopt;
    return Rect{minX, minY, maxX - minX + 1, maxY - minY + 1};
  }
};

}  // namespace

std::optional<Rect> ScreenImage::boundsOf(const Rgb& colour, int tolerance) const {
  BoxBuilder box;
  for (int y = originY_; y < originY_ + height_; ++y)
    for (int x = originX_; x < originX_ + width_; ++x)
      if (at(x, y).near(colour, tolerance)) box.add(x, y);
  return box.rect();
}

int ScreenImage::countOf(const Rgb& colour, int tolerance) const {
  int count = 0;
  for (int y = originY_; y < originY_ + height_; ++y)
    for (int x = originX_; x < originX_ + width_; ++x)
      if (at(x, y).near(colour, tolerance)) ++count;
  return count;
}

std::optional<Rect> ScreenImage::boundsOfNew(const ScreenImage& before, const Rgb& colour,
                                             int tolerance, int* count) const {
  BoxBuilder box;
  for (int y = originY_; y < originY_ + height_; ++y)
    for (int x = originX_; x < originX_ + width_; ++x) {
      if (!at(x, y).near(colour, tolerance)) continue;
      if (before.covers(x, y) && before.at(x, y).near(colour, tolerance)) continue;
      box.add(x, y);
    }
  if (count != nullptr) *count = box.count;
  return box.rect();
}

bool ScreenImage::sameAs(const ScreenImage& other) const {
  return originX_ == other.originX_ && originY_ == other.originY_ && width_ == other.width_ &&
         height_ == other.height_ && rgb_ == other.rgb_;
}

std::filesystem::path screenshotDir() {
  const char* env = std::getenv("E2E_SCREENSHOT_DIR");
  std::filesystem::path dir = (env != nullptr && *env != '\0') ? std::filesystem::path(env)
                                                               : std::filesystem::current_path();
  std::filesystem::create_directories(dir);
  return dir;
}

std::filesystem::path ScreenImage::savePng(const std::string& name) const {
  std::filesystem::path png = screenshotDir() / (name + ".png");
  std::filesystem::path ppm = png;
  ppm.replace_extension(".ppm");
  {
    std::ofstream out(ppm, std::ios::binary);
    out << "P6\n" << width_ << " " << height_ << "\n255\n";
    out.write(reinterpret_cast<const char*>(rgb_.data()),
              static_cast<std::streamsize>(rgb_.size()));
    if (!out) throw std::runtime_error("cannot write " + ppm.string());
  }
  // The real ImageMagick, not whatever wrapper PATH may put first.
  const char* convert =
      std::filesystem::exists("/usr/bin/convert") ? "/usr/bin/convert" : "convert";
  std::string command = std::string(convert) + " '" + ppm.string() + "' '" + png.string() + "'";
  int rc = std::system(command.c_str());
  std::filesystem::remove(ppm);
  if (rc == -1 || !WIFEXITED(rc) || WEXITSTATUS(rc) != 0)
    throw std::runtime_error("convert failed for " + png.string());
  return png;
}

}  // namespace e2e
