// The card scan and the thumbnail markup it writes.
#include "gallery/card_scan.h"

#include <algorithm>

#include "gallery/markup_escape.h"
#include "platform/paths.h"

namespace selvara {
namespace {

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Characters, not bytes: UTF-8 continuation bytes do not start a character.
std::size_t characterCount(std::string_view name) {
  return static_cast<std::size_t>(std::count_if(name.begin(), name.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

}  // namespace

bool matchesCardPattern(std::string_view name, char letter) {
  if (name.empty() || upper(name.front()) != upper(letter)) return false;
  const std::size_t length = characterCount(name);
  if (length == 5) return true;
  return length < 5 && name.find('.') == std::string_view::npos;
}

bool cardNameLess(const std::string& a, const std::string& b) {
  const bool less = std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](char x, char y) {
        return static_cast<unsigned char>(upper(x)) < static_cast<unsigned char>(upper(y));
      });
  if (less) return true;
  const bool greater = std::lexicographical_compare(
      b.begin(), b.end(), a.begin(), a.end(),
      [](char x, char y) {
        return static_cast<unsigned char>(upper(x)) < static_cast<unsigned char>(upper(y));
      });
  // Names that differ only in case still need a fixed order.
  return !greater && a < b;
}

std::vector<std::string> listPass(const std::string& dataPath, char letter) {
  auto names = listFolder(dataPath, [letter](const std::string& name) {
    return matchesCardPattern(name, letter);
  });
  std::sort(names.begin(), names.end(), cardNameLess);
  return names;
}

std::string thumbnailBlock(RunState& state) {
  state.LineText = "\r\n<img src='" + encodeUrlPath(state.ImagePath) + "' alt='" +
                   escapeHtml(state.CardName) + "' ";
  state.CardUrl = toUrlSeparators(state.ImagePath);
  state.LineText += state.PopupEvent + "='popup(" + state.QuoteChar + encodeUrlPath(state.CardUrl) +
                    state.QuoteChar + "," + std::to_string(state.PopupWidth) + "," +
                    std::to_string(state.PopupHeight) + ")' onMouseOut='popout(this)' width='" +
                    std::to_string(state.ThumbWidth) + "' height='" +
                    std::to_string(state.ThumbHeight) + "'>\r\n";
  return state.LineText;
}

void ListCardFolders(RunState& state, TextFile& page, const std::function<void()>& pump) {
  for (const char letter : kCardPasses) {
    for (const std::string& name : listPass(state.DataPath, letter)) {
      state.CardName = name;
      if (name != "." && name != ".." &&
          entryKind(state.DataPath + name) != EntryKind::NotFolder) {
        state.ImagePath = state.DataPath + name + kPathSeparator + name + "c.jpg";
        page.writeLine(thumbnailBlock(state));
      }
      pump();
    }
  }
}

}  // namespace selvara
