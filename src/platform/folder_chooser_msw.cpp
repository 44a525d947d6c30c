// The folder chooser on Windows: the system's own folder dialog.
#include <wx/dirdlg.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>

#include "platform/folder_chooser_wx.h"

namespace selvara {

std::optional<std::string> chooseFolder(const std::string& title) {
  wxString start = wxStandardPaths::Get().GetUserDir(wxStandardPaths::Dir_Pictures);
  if (start.empty() || !wxFileName::DirExists(start)) start = wxGetHomeDir();
  wxDirDialog chooser(nullptr, wxString::FromUTF8(title), start,
                      wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
  if (chooser.ShowModal() != wxID_OK) return std::nullopt;
  return chooser.GetPath().utf8_string();
}

}  // namespace selvara
