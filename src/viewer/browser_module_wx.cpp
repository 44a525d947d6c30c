// The browser module: makes the web view, and ends its engine's process. Built as a library of
// its own that the viewer loads at run time (see browser_module_wx.h).
#include "viewer/browser_module_wx.h"

#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include "viewer/picture_scheme_wx.h"

extern "C" {

[[gnu::visibility("default")]] wxWebView* selvaraNewBrowser(
    wxWindow* parent, std::function<void(const wxString& url)> onLoaded) {
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
