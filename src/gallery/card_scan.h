// The card scan: one thumbnail block per card folder of the data folder, in passes a, c, b.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gallery/gallery_state.h"
#include "options/option_table.h"
#include "platform/file_services.h"

namespace selvara {

// The pass letters, in the order the gallery shows them.
inline constexpr std::string_view kCardPasses = "acb";

// True when `name` is a card name of the pass `letter`: it starts with that letter (either
// case) and has five characters, or one to four characters and no period.
bool matchesCardPattern(std::string_view name, char letter);

// The card entries of `dataPath`, pass by pass in kCardPasses order, each pass in name order.
// The folder is read once; `pump` is called after every entry read and between the steps of
// the sort.
std::vector<FolderEntry> listCards(const std::string& dataPath, const std::function<void()>& pump);

// How a thumbnail looks and opens its popup.
struct ThumbnailLook {
  std::string_view popupEvent;  // "onMouseDown" or "onMouseOver"
  std::string_view quote;       // around the popup's URL
  CardSize thumb;
  CardSize popup;
};

// Makes `line` items 1 to 7 of a card's thumbnail block for the picture at `imagePath`, whose
// popup opens `cardUrl` (the same path with "/" separators); `line` keeps its storage from card
// to card.
void thumbnailBlock(std::string& line, std::string_view imagePath, std::string_view cardUrl,
                    std::string_view cardName, const ThumbnailLook& look);

// Appends one block per card folder of DataPath to `page`, calling `pump` after every entry;
// leaves the last card in CardName, ImagePath, CardUrl and LineText.
void ListCardFolders(GalleryState& state, TextFile& page, const std::function<void()>& pump);

}  // namespace selvara
