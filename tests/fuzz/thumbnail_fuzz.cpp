// Fuzzes the thumbnail markup: every URL decodes back to its path, no attribute breaks out.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "gallery/card_scan.h"
#include "gallery/display_settings.h"
#include "gallery/markup_escape.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const auto split = input.find('\0');
  const auto look = selvara::displaySettings(int(size % 5), 3, int(size % 2));
  const std::string folder = split == std::string::npos ? "/sets/x" : input.substr(0, split);
  const std::string name = split == std::string::npos ? input : input.substr(split + 1);
  const std::string image = folder + "/data/" + name + "/" + name + "c.jpg";
  std::string block = "left from an earlier card";
  selvara::thumbnailBlock(block, image, name, {look.popupEvent, "\"", look.thumb, look.popup});

  // One tag whose attributes, read as a browser reads them (a name, =, then a value from one
  // single quote to the next), are the six the page relies on.
  if (block.find("\r\n<img ") != 0 || block.find('>') != block.size() - 3) std::abort();
  std::vector<std::string> names, values;
  for (std::size_t at = 7; at < block.size() - 3;) {
    const auto equals = block.find("='", at), close = block.find('\'', equals + 2);
    if (equals == std::string::npos || close == std::string::npos) std::abort();
    names.push_back(block.substr(at, equals - at));
    values.push_back(block.substr(equals + 2, close - equals - 2));
    at = close + 1 + (block[close + 1] == ' ');
  }
  const std::vector<std::string> expected = {"src",        "alt",   look.popupEvent,
                                             "onMouseOut", "width", "height"};
  if (names != expected || selvara::picturePath(values[0]) != image ||
      values[1].find_first_of("<>\"") != std::string::npos ||
      values[2] != "popup(\"" + values[0] + "\",344,504)" || values[3] != "popout(this)" ||
      values[4] != std::to_string(look.thumb.width) ||
      values[5] != std::to_string(look.thumb.height)) {
    std::abort();
  }
  return 0;
}
