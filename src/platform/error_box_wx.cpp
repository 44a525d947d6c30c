// Failure reports through a wxWidgets message box.
#include <wx/msgdlg.h>
#include <wx/strconv.h>

#include <iostream>

#include "platform/error_report.h"

namespace selvara {

void reportFailure(const std::string& text) {
  std::cerr << kProgramTitle << ": " << text << std::endl;
  // A path that is not UTF-8 shows its odd bytes as octal escapes rather than emptying the box.
  const wxString shown(text.c_str(), wxMBConvUTF8(wxMBConvUTF8::MAP_INVALID_UTF8_TO_OCTAL));
  wxMessageDialog box(nullptr, shown, kProgramTitle, wxOK | wxICON_ERROR);
  box.ShowModal();
}

}  // namespace selvara
