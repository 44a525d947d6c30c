// Files compiled into the program, looked up by type name and id.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace selvara {

// The program icon's sizes; each is resource ("ICON", size).
inline constexpr std::array kIconSizes = {16, 24, 32, 48, 64, 128, 256};

struct ResourceRegistration {
  const char* type;
  int id;
  const unsigned char* data;
  std::size_t size;
};

// The script that lets the gallery page be used by keyboard and screen reader, run by the viewer
// in the loaded page.
inline constexpr std::string_view kGalleryKeysType = "SCRIPT";
inline constexpr int kGalleryKeysId = 1;

// The bytes of the resource (type, id), or nothing when the program carries no such resource.
std::optional<std::span<const unsigned char>> findResource(std::string_view type, int id);

}  // namespace selvara
