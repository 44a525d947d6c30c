// Fuzzes the thumbnail markup: every address stands for its path, no attribute breaks out.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "gallery/card_scan.h"
#include "gallery/display_settings.h"
#include "gallery/markup_escape.h"

namespace {

struct Attribute {
  std::string name;
  std::string value;
};

// Reads the tag's attributes the way a browser does: a name, "=", then a value running from one
// single quote to the next. A lookup by searching for " name='" would also match inside the value
// before it (an alt text ending in " onMouseOver=" followed by its closing quote).
std::vector<Attribute> attributes(const std::string& tag) {
  std::vector<Attribute> found;
  std::size_t at = 0;
  while (at < tag.size()) {
    while (at < tag.size() && tag[at] == ' ') ++at;
    if (at == tag.size()) break;
    const auto equals = tag.find('=', at);
    if (equals == std::string::npos || equals + 1 >= tag.size() || tag[equals + 1] != '\'') {
      std::abort();
    }
    const auto close = tag.find('\'', equals + 2);
    if (close == std::string::npos) std::abort();
    found.push_back({tag.substr(at, equals - at), tag.substr(equals + 2, close - equals - 2)});
    at = close + 1;
    if (at < tag.size() && tag[at] != ' ') std::abort();
  }
  return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const auto split = input.find('\0');
  const auto settings =
      selvara::displaySettings(static_cast<int>(size % 5), 3, static_cast<int>(size % 2));
  const std::string dataPath =
      split == std::string::npos ? "/sets/x/data/" : input.substr(0, split) + "/data/";
  const std::string cardName = split == std::string::npos ? input : input.substr(split + 1);
  const std::string imagePath = dataPath + cardName + "/" + cardName + "c.jpg";
  const std::string block = selvara::thumbnailBlock(
      imagePath, cardName, {settings.popupEvent, "\"", settings.thumb, settings.popup});

  // The element is one tag: nothing in a name may open or close another.
  const auto tagOpen = block.find("<img ");
  if (tagOpen != 2 || block.find('<', tagOpen + 1) != std::string::npos) std::abort();
  if (block.find('>') != block.size() - 3) std::abort();

  const auto attrs = attributes(block.substr(tagOpen + 5, block.size() - 3 - tagOpen - 5));
  const std::vector<std::string> names = {"src",        "alt",   settings.popupEvent,
                                          "onMouseOut", "width", "height"};
  if (attrs.size() != names.size()) std::abort();
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (attrs[i].name != names[i]) std::abort();
  }
  if (selvara::picturePath(attrs[0].value) != imagePath) std::abort();
  if (attrs[1].value.find_first_of("<>\"") != std::string::npos) std::abort();

  const std::string& handler = attrs[2].value;
  const std::string prefix = "popup(\"";
  if (handler.rfind(prefix, 0) != 0) std::abort();
  const auto urlEnd = handler.find('"', prefix.size());
  if (urlEnd == std::string::npos) std::abort();
  const std::string url = handler.substr(prefix.size(), urlEnd - prefix.size());
  if (selvara::picturePath(url) != imagePath) std::abort();
  if (url.find('\\') != std::string::npos) std::abort();
  if (handler.substr(urlEnd) != "\",344,504)") std::abort();
  if (attrs[3].value != "popout(this)") std::abort();
  if (attrs[4].value != std::to_string(settings.thumb.width)) std::abort();
  if (attrs[5].value != std::to_string(settings.thumb.height)) std::abort();
  return 0;
}
