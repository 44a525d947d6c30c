// Failure reports through a wxWidgets message box.
#include <wx/msgdlg.h>
#include <wx/strconv.h>
#include <wx/wxcrt.h>

#include <iostream>

#include "platform/error_report.h"

namespace selvara {
namespace {

// `text` with a line break in every run of more than kLongestRun characters without white space.
// The box wraps only between words, so a long path (they go up to 4,095 bytes) would make it wider
// than the screen, with its button out of sight.
wxString brokenForTheBox(const wxString& text) {
  constexpr std::size_t kLongestRun = 80;
  wxString broken;
  std::size_t run = 0;
  for (const wxUniChar c : text) {
    run = wxIsspace(c) ? 0 : run + 1;
    if (run > kLongestRun) {
      broken += '\n';
      run = 1;
    }
    broken += c;
  }
  return broken;
}

}  // namespace

void reportFailure(const std::string& text) {
  std::cerr << kProgramTitle << ": " << text << std::endl;
  // A path that is not UTF-8 shows its odd bytes as octal escapes rather than emptying the box.
  // NOTE: that conversion also doubles every backslash, so it is for such text only: a Windows
  // path must show as it is.
  wxString shown = wxString::FromUTF8(text);
  if (shown.empty() && !text.empty()) {
    shown = wxString(text.c_str(), wxMBConvUTF8(wxMBConvUTF8::MAP_INVALID_UTF8_TO_OCTAL));
  }
  wxMessageDialog box(nullptr, brokenForTheBox(shown), kProgramTitle, wxOK | wxICON_ERROR);
  box.ShowModal();
}

}  // namespace selvara
