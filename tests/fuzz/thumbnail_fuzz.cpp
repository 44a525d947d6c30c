// Fuzzes the thumbnail markup: every URL decodes back to its path, no attribute breaks out.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "gallery/card_scan.h"
#include "gallery/display_settings.h"
#include "gallery/markup_escape.h"

namespace {

// The value of the single-quoted attribute `name`, or abort when it is missing or unclosed.
std::string attribute(const std::string& block, const std::string& name) {
  const std::string opening = " " + name + "='";
  const auto start = block.find(opening);
  if (start == std::string::npos) std::abort();
  const auto valueStart = start + opening.size();
  const auto end = block.find('\'', valueStart);
  if (end == std::string::npos) std::abort();
  return block.substr(valueStart, end - valueStart);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const auto split = input.find('\0');
  selvara::RunState state;
  state.QuoteChar = "\"";
  state.ThumbIndex = size % 5;
  state.PopupIndex = 3;
  state.PopupActionIndex = static_cast<int>(size % 2);
  selvara::resolveDisplaySettings(state);
  state.DataPath = split == std::string::npos ? "/sets/x/data/" : input.substr(0, split) + "/data/";
  state.CardName = split == std::string::npos ? input : input.substr(split + 1);
  state.ImagePath = state.DataPath + state.CardName + "/" + state.CardName + "c.jpg";
  const std::string block = selvara::thumbnailBlock(state);

  // The element is one tag: nothing in a name may open or close another.
  const auto tagOpen = block.find("<img ");
  if (tagOpen != 2 || block.find('<', tagOpen + 1) != std::string::npos) std::abort();
  if (block.find('>') != block.size() - 3) std::abort();

  const std::string src = attribute(block, "src");
  if (selvara::decodeUrlPath(src) != state.ImagePath) std::abort();
  const std::string alt = attribute(block, "alt");
  if (alt.find_first_of("<>\"") != std::string::npos) std::abort();

  const std::string handler = attribute(block, state.PopupEvent);
  const std::string prefix = "popup(\"";
  if (handler.rfind(prefix, 0) != 0) std::abort();
  const auto urlEnd = handler.find('"', prefix.size());
  if (urlEnd == std::string::npos) std::abort();
  const std::string url = handler.substr(prefix.size(), urlEnd - prefix.size());
  if (selvara::decodeUrlPath(url) != state.CardUrl) std::abort();
  if (url.find('\\') != std::string::npos) std::abort();
  if (handler.substr(urlEnd) != "\",344,504)") std::abort();
  return 0;
}
