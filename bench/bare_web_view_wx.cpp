// A bare web view that loads one page: the baseline for the viewer's time from the options
// dialog's close to the gallery loaded. Once its own blank page is loaded (the web view is
// ready, as the viewer's is while its dialog waits) it writes "load-start", loads the page
// given as the argument and writes "page-loaded" when that is loaded.
#include <wx/app.h>
#include <wx/filename.h>
#include <wx/filesys.h>
#include <wx/frame.h>
#include <wx/webview.h>

#include "platform/run_trace.h"

namespace {

class BareWebViewApp : public wxApp {
 public:
  bool OnInit() override {
    if (argc < 2) return false;
    const wxString page = wxFileSystem::FileNameToURL(wxFileName(argv[1]));
    auto* frame =
        new wxFrame(nullptr, wxID_ANY, "Bare web view", wxDefaultPosition, wxSize(800, 640));
    wxWebView* view = wxWebView::New(frame, wxID_ANY);
    view->Bind(wxEVT_WEBVIEW_LOADED, [view, page](wxWebViewEvent& event) {
      if (event.GetURL() == page) {
        selvara::traceMoment("page-loaded");
      } else if (view->GetCurrentURL() != page) {
        selvara::traceMoment("load-start");
        view->LoadURL(page);
      }
    });
    frame->Show();
    return true;
  }
};

}  // namespace

wxIMPLEMENT_APP(BareWebViewApp);
