// The least wxWidgets program that shows one dialog: the baseline for the viewer's time from
// launch to its options dialog on screen. Writes "dialog-shown" as the viewer does.
#include <wx/app.h>
#include <wx/dialog.h>

#include "platform/run_trace.h"

namespace {

class BareDialogApp : public wxApp {
 public:
  bool OnInit() override {
    auto* dialog = new wxDialog(nullptr, wxID_ANY, "Option Settings");
    dialog->Bind(wxEVT_PAINT, [first = true](wxPaintEvent& event) mutable {
      event.Skip();
      if (first) selvara::traceMoment("dialog-shown");
      first = false;
    });
    dialog->Bind(wxEVT_CLOSE_WINDOW, [dialog](wxCloseEvent&) { dialog->Destroy(); });
    dialog->Show();
    return true;
  }
};

}  // namespace

wxIMPLEMENT_APP(BareDialogApp);
