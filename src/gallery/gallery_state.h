// The part of the run state that the gallery's routines read and write.
#pragma once

#include <string>

namespace selvara {

struct GalleryState {
  std::string QuoteChar;
  int ThumbWidth = 0;
  int ThumbHeight = 0;
  int PopupWidth = 0;
  int PopupHeight = 0;
  std::string PopupEvent;
  std::string SettingsText;
  std::string MyPath;  // the page folder, ending in the separator
  std::string DataPath;
  std::string LineText;
  std::string ImagePath;
  std::string CardUrl;
  std::string CardName;
};

}  // namespace selvara
