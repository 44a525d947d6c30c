// The browser module: makes the web view, and ends its engine's process. Built as a library of
// its own that the viewer loads at run time (see browser_module_wx.h).
#include "viewer/browser_module_wx.h"

#include <signal.h>
#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include "viewer/picture_scheme_wx.h"

extern "C" {

// The web engine's own call for the signal its garbage collector stops threads with; weak, so
// that an engine without it still loads.
[[gnu::weak]] bool JSConfigureSignalForGC(int signal);

[[gnu::visibility("default")]] wxWebView* selvaraNewBrowser(
    wxWindow* parent, std::function<void(const wxString& url)> onLoaded) {
  // NOTE: unless told otherwise before it starts, the engine's collector uses SIGUSR1, and a
  // SIGUSR1 from outside (a request to quit, for this program) lands in the collector and
  // crashes the program. Its environment variable JSC_SIGNAL_FOR_GC would do the same, but makes
  // every engine process complain of an unknown option.
  static const bool collectorSignalMoved =
      JSConfigureSignalForGC != nullptr && JSConfigureSignalForGC(SIGRTMIN);
  (void)collectorSignalMoved;
  wxWebView* browser = wxWebView::New(parent, wxID_ANY);
  selvara::servePictures();
  browser->Bind(wxEVT_WEBVIEW_LOADED, [onLoaded = std::move(onLoaded)](wxWebViewEvent& event) {
    onLoaded(event.GetURL());
  });
  return browser;
}

[[gnu::visibility("default")]] void selvaraEndBrowser(wxWebView* browser) {
  auto* native = static_cast<WebKitWebView*>(browser->GetNativeBackend());
  if (native != nullptr) webkit_web_view_terminate_web_process(native);
}

}  // extern "C"
