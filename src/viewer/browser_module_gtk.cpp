// The browser module: makes the web view, tells when its engine's process dies, and ends that
// process. Built as a library of its own that the viewer loads at run time (see
// browser_module_wx.h).
#include <dlfcn.h>
#include <signal.h>
#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include <iostream>

#include "viewer/browser_module_wx.h"
#include "viewer/picture_scheme_gtk.h"

namespace {

using LossHandler = std::function<void(selvara::EngineLoss)>;
constexpr const char* kEndedSignal = "web-process-terminated";

void engineEnded(WebKitWebView* /*view*/, WebKitWebProcessTerminationReason reason,
                 gpointer handler) {
  const auto& onLost = *static_cast<LossHandler*>(handler);
  switch (reason) {
    case WEBKIT_WEB_PROCESS_CRASHED:
      onLost(selvara::EngineLoss::kCrashed);
      break;
    case WEBKIT_WEB_PROCESS_EXCEEDED_MEMORY_LIMIT:
      onLost(selvara::EngineLoss::kMemoryLimit);
      break;
    case WEBKIT_WEB_PROCESS_TERMINATED_BY_API:  // the program's own ending, at close
      break;
  }
}

// NOTE: the engine loads its page-process extensions from one folder per context; wxWidgets names
// its own there when it has one. Ours runs after it and wins: without it the engine would open
// card pictures itself, whatever they are (see picture_redirect_gtk.cpp).
void loadPictureExtension(WebKitWebContext* context, gpointer /*userData*/) {
  static const std::string folder = [] {
    static const char self = 0;  // an address inside this module
    Dl_info module{};
    const std::string file = dladdr(&self, &module) != 0 ? module.dli_fname : "";
    return file.substr(0, file.rfind('/') + 1) + SELVARA_PICTURE_EXTENSION_DIR;
  }();
  webkit_web_context_set_web_extensions_directory(context, folder.c_str());
}

WebKitWebView* nativeView(wxWebView* browser) {
  return static_cast<WebKitWebView*>(browser->GetNativeBackend());
}

}  // namespace

extern "C" {

// The web engine's own call for the signal its garbage collector stops threads with; weak, so
// that an engine without it still loads.
[[gnu::weak]] bool JSConfigureSignalForGC(int signal);

[[gnu::visibility("default")]] wxWebView* selvaraNewBrowser(
    wxWindow* parent, std::function<void(const wxString& url)> onLoaded, LossHandler onEngineLost) {
  // NOTE: unless told otherwise before it starts, the engine's collector uses SIGUSR1, and a
  // SIGUSR1 from outside (a request to quit, for this program) lands in the collector and
  // crashes the program. Its environment variable JSC_SIGNAL_FOR_GC would do the same, but makes
  // every engine process complain of an unknown option.
  static const bool collectorSignalMoved =
      JSConfigureSignalForGC != nullptr && JSConfigureSignalForGC(SIGRTMIN);
  (void)collectorSignalMoved;
  static const gulong extensionLoaded =
      g_signal_connect_after(webkit_web_context_get_default(), "initialize-web-extensions",
                             G_CALLBACK(loadPictureExtension), nullptr);
  (void)extensionLoaded;
  wxWebView* browser = wxWebView::New(parent, wxID_ANY);
  selvara::servePictures();
  browser->Bind(wxEVT_WEBVIEW_LOADED,
                [browser, onLoaded = std::move(onLoaded)](wxWebViewEvent& event) {
                  // NOTE: the toolkit gives the keyboard to the scrolled window around the page,
                  // and the first Tab would only take it into the page; a loaded page takes it
                  // at once, so that the first Tab reaches the first card.
                  gtk_widget_grab_focus(GTK_WIDGET(nativeView(browser)));
                  onLoaded(event.GetURL());
                });
  // A script the viewer runs in the page is tagged with the browser; one the page refuses is said.
  browser->Bind(wxEVT_WEBVIEW_SCRIPT_RESULT, [browser](wxWebViewEvent& event) {
    if (event.GetClientData() != browser) {
      event.Skip();
    } else if (event.IsError()) {
      std::cerr << "The gallery page did not take the viewer's script: " << event.GetString()
                << std::endl;
    }
  });
  g_signal_connect_data(
      nativeView(browser), kEndedSignal, G_CALLBACK(engineEnded),
      new LossHandler(std::move(onEngineLost)),
      [](gpointer handler, GClosure* /*closure*/) { delete static_cast<LossHandler*>(handler); },
      G_CONNECT_DEFAULT);
  return browser;
}

[[gnu::visibility("default")]] void selvaraEndBrowser(wxWebView* browser) {
  WebKitWebView* native = nativeView(browser);
  if (native == nullptr) return;
  // The window that heard of the engine's losses is on its way out.
  g_signal_handlers_disconnect_matched(native, G_SIGNAL_MATCH_ID,
                                       g_signal_lookup(kEndedSignal, WEBKIT_TYPE_WEB_VIEW), 0,
                                       nullptr, nullptr, nullptr);
  webkit_web_view_terminate_web_process(native);
}

}  // extern "C"
