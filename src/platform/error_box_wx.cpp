// Failure reports through a wxWidgets message box.
#include <wx/msgdlg.h>

#include <iostream>

#include "platform/error_report.h"

namespace selvara {

void reportFailure(const std::string& text) {
  std::cerr << kProgramTitle << ": " << text << std::endl;
  wxMessageDialog box(nullptr, wxString::FromUTF8(text), kProgramTitle, wxOK | wxICON_ERROR);
  box.ShowModal();
}

}  // namespace selvara
