// The web view and its engine. On Linux a module loaded when the viewer first needs a browser:
// the engine's libraries are large, and loading them at launch would hold back the options
// dialog. On Windows the system's WebBrowser control, linked into the program.
#pragma once

#include <wx/window.h>

#include <functional>
#include <string>

#include "viewer/engine_recovery.h"

class wxWebView;

namespace selvara {

// The module's entry points, looked up by these names. `onEngineLost` runs when the engine's
// process that draws the page ends by itself; its ending by `EndBrowserFunction` raises nothing.
using NewBrowserFunction = wxWebView* (*)(wxWindow* parent,
                                          std::function<void(const wxString& url)> onLoaded,
                                          std::function<void(EngineLoss)> onEngineLost);
using EndBrowserFunction = void (*)(wxWebView* browser);
inline constexpr const char* kNewBrowserName = "selvaraNewBrowser";
inline constexpr const char* kEndBrowserName = "selvaraEndBrowser";

struct BrowserModule {
  NewBrowserFunction newBrowser = nullptr;
  EndBrowserFunction endBrowser = nullptr;
};

// The browser's entry points, the module loaded the first time; throws FileError when no module
// can be loaded.
const BrowserModule& browserModule();

// On Linux the viewer loads the module from beside the program or from the program's own library
// folder
// (`../lib/selvara-card-viewer/`), and nowhere else. Test programs, which the build puts elsewhere,
// name the module's file here before the first viewer asks for a browser; then only it is tried.
void setBrowserModuleFile(std::string path);

}  // namespace selvara
