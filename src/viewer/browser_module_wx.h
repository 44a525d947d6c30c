// The web view and its engine, loaded when the viewer first needs a browser: the engine's
// libraries are large, and loading them at launch would hold back the options dialog.
#pragma once

#include <wx/window.h>

#include <functional>

class wxWebView;

namespace selvara {

// The module's entry points, looked up by these names.
using NewBrowserFunction = wxWebView* (*)(wxWindow* parent,
                                          std::function<void(const wxString& url)> onLoaded);
using EndBrowserFunction = void (*)(wxWebView* browser);
inline constexpr const char* kNewBrowserName = "selvaraNewBrowser";
inline constexpr const char* kEndBrowserName = "selvaraEndBrowser";

}  // namespace selvara
