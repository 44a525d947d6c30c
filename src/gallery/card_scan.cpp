// The card scan and the thumbnail markup it writes.
#include "gallery/card_scan.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <numeric>

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

// Sorts in runs and merges them, calling `pump` between the steps, so that a large folder
// never holds window events back for the whole sort.
template <typename T, typename Less>
void sortPumped(std::vector<T>& items, Less less, const std::function<void()>& pump) {
  constexpr std::size_t kRun = 1024;
  const std::size_t size = items.size();
  for (std::size_t at = 0; at < size; at += kRun) {
    std::sort(items.begin() + static_cast<std::ptrdiff_t>(at),
              items.begin() + static_cast<std::ptrdiff_t>(std::min(size, at + kRun)), less);
    pump();
  }
  for (std::size_t width = kRun; width < size; width *= 2) {
    for (std::size_t at = 0; at + width < size; at += 2 * width) {
      const auto first = items.begin() + static_cast<std::ptrdiff_t>(at);
      std::inplace_merge(
          first, first + static_cast<std::ptrdiff_t>(width),
          items.begin() + static_cast<std::ptrdiff_t>(std::min(size, at + 2 * width)), less);
      pump();
    }
  }
}

void appendNumber(std::string& out, int number) {
  std::array<char, 12> digits{};
  const auto written = std::to_chars(digits.data(), digits.data() + digits.size(), number);
  out.append(digits.data(), written.ptr);
}

}  // namespace

bool matchesCardPattern(std::string_view name, char letter) {
  if (name.empty() || upper(name.front()) != upper(letter)) return false;
  const std::size_t length = characterCount(name);
  if (length == 5) return true;
  return length < 5 && name.find('.') == std::string_view::npos;
}

std::vector<FolderEntry> listCards(const std::string& dataPath, const std::function<void()>& pump) {
  // A name starts with one letter, so it belongs to one pass at most.
  auto entries = listFolder(dataPath, [&pump](const std::string& name) {
    pump();
    return std::ranges::any_of(kCardPasses,
                               [&name](char letter) { return matchesCardPattern(name, letter); });
  });
  struct Keyed {
    std::size_t pass;
    std::string key;  // the name with ASCII letters upper-cased
    FolderEntry entry;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(entries.size());
  for (FolderEntry& entry : entries) {
    const std::size_t pass = kCardPasses.find(
        static_cast<char>(std::tolower(static_cast<unsigned char>(entry.name.front()))));
    std::string key = entry.name;
    std::transform(key.begin(), key.end(), key.begin(), upper);
    keyed.push_back({pass, std::move(key), std::move(entry)});
    pump();
  }
  // The sort moves indices, not the entries with their strings.
  std::vector<std::size_t> order(keyed.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  sortPumped(
      order,
      [&keyed](std::size_t left, std::size_t right) {
        const Keyed& a = keyed[left];
        const Keyed& b = keyed[right];
        if (a.pass != b.pass) return a.pass < b.pass;
        if (const int byKey = a.key.compare(b.key); byKey != 0) return byKey < 0;
        // Names that differ only in case still need a fixed order.
        return a.entry.name < b.entry.name;
      },
      pump);
  std::vector<FolderEntry> cards;
  cards.reserve(keyed.size());
  for (const std::size_t at : order) {
    cards.push_back(std::move(keyed[at].entry));
    pump();
  }
  return cards;
}

void thumbnailBlock(std::string& line, std::string_view imagePath, std::string_view cardUrl,
                    std::string_view cardName, const ThumbnailLook& look) {
  line.assign("\r\n<img src='");
  const std::size_t imageAt = line.size();
  appendPictureAddress(line, imagePath);
  const std::size_t imageLength = line.size() - imageAt;
  line.append("' alt='");
  appendEscapedHtml(line, cardName);
  line.append("' ").append(look.popupEvent).append("='popup(").append(look.quote);
  if constexpr (kPathSeparator == '/') {
    line.append(line, imageAt, imageLength);  // the same path: its address again
  } else {
    appendPictureAddress(line, cardUrl);
  }
  line.append(look.quote).append(",");
  appendNumber(line, look.popup.width);
  line.append(",");
  appendNumber(line, look.popup.height);
  line.append(")' onMouseOut='popout(this)' width='");
  appendNumber(line, look.thumb.width);
  line.append("' height='");
  appendNumber(line, look.thumb.height);
  line.append("'>\r\n");
}

void ListCardFolders(GalleryState& state, TextFile& page, const std::function<void()>& pump) {
  const ThumbnailLook look{state.PopupEvent,
                           state.QuoteChar,
                           {state.ThumbWidth, state.ThumbHeight},
                           {state.PopupWidth, state.PopupHeight}};
  for (const FolderEntry& entry : listCards(state.DataPath, pump)) {
    state.CardName = entry.name;
    // An entry whose kind cannot be asked is taken for a card folder.
    if (entry.kind != EntryKind::NotFolder) {
      state.ImagePath.assign(state.DataPath)
          .append(entry.name)
          .append(1, kPathSeparator)
          .append(entry.name)
          .append("c.jpg");
      // Written into the strings the state already holds, so that a card costs no allocation.
      // A card's URL is its picture path with the platform's separator turned into "/".
      state.CardUrl = state.ImagePath;
      if constexpr (kPathSeparator != '/') std::ranges::replace(state.CardUrl, kPathSeparator, '/');
      thumbnailBlock(state.LineText, state.ImagePath, state.CardUrl, state.CardName, look);
      page.writeLine(state.LineText);
    }
    pump();
  }
}

}  // namespace selvara
