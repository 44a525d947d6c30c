// The run state: every value that the parts of the program share during one run.
#pragma once

#include <string>
#include <vector>

namespace selvara {

struct RunState {
  bool Quitting = false;
  std::string QuoteChar;
  int ThumbIndex = 0;
  int PopupIndex = 0;
  int PopupActionIndex = 0;
  int ThumbWidth = 0;
  int ThumbHeight = 0;
  int PopupWidth = 0;
  int PopupHeight = 0;
  std::string PopupEvent;
  std::string SettingsText;
  std::string MyName;
  std::string MyPath;
  std::string Version;
  std::vector<std::string> CmdArgs;
  std::string SetName;
  std::string DataPath;
  std::string LineText;
  std::string ImagePath;
  std::string CardUrl;
  std::string CardName;
};

// The one run state of the program; it lives from start to end.
RunState& WebWindow();

}  // namespace selvara
