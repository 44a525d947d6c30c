// The run state: every value that the parts of the program share during one run. Each part of
// the program sees the piece it reads and writes (the dialog's selections, the gallery's page
// values); this record joins them with start-up's own.
#pragma once

#include <string>
#include <vector>

#include "gallery/gallery_state.h"
#include "options/option_table.h"

namespace selvara {

struct RunState : OptionSelections, GalleryState {
  bool Quitting = false;
  std::string MyName;
  std::string Version;
  std::vector<std::string> CmdArgs;
  std::string SetName;
};

// The one run state of the program; it lives from start to end.
RunState& WebWindow();

}  // namespace selvara
