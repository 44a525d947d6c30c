// The gallery page writer.
#include "gallery/page_writer.h"

#include "gallery/card_scan.h"
#include "gallery/page_template.h"
#include "gallery/scan_pump.h"
#include "platform/file_services.h"

namespace selvara {

void Command1_Click(GalleryState& state, Viewer& viewer, EventPump& pump) {
  const std::string page = state.MyPath + kPageFileName;
  copyFile(state.MyPath + kTemplateFileName, page);
  TextFile out(page);
  out.writeLine(state.SettingsText);
  state.LineText = kTableOpening;
  out.writeLine(state.LineText);
  ScanPump scanPump(pump);
  ListCardFolders(state, out, [&scanPump] { scanPump(); });
  state.LineText = std::string("\r\n") + kPageClosing;
  out.writeLine(state.LineText);
  out.close();
  viewer.navigate(page);
}

}  // namespace selvara
