// The browser on Windows: the system's WebBrowser control, linked into the program. It runs the
// page in its modern mode, and where it cannot load the page the window says so in words.
#include <wx/filename.h>
#include <wx/filesys.h>
#include <wx/log.h>
#include <wx/msw/registry.h>
#include <wx/msw/webview_ie.h>
#include <wx/stattext.h>
#include <wx/stdpaths.h>
#include <wx/webview.h>

#include <cerrno>
#include <iostream>

#include "platform/file_services.h"
#include "viewer/browser_module_wx.h"

namespace selvara {
namespace {

constexpr const char* kEmulationKey =
    R"(Software\Microsoft\Internet Explorer\Main\FeatureControl\FEATURE_BROWSER_EMULATION)";

wxString programFileName() {
  wxFileName program(wxStandardPaths::Get().GetExecutablePath());
  return program.GetFullName();
}

// NOTE: the control runs a program's pages in the mode of Internet Explorer 7 unless the user's
// registry names the program with a later mode; the name is set before the control starts and
// taken away again when the viewer closes.
void useModernMode(bool modern) {
  wxLogNull quiet;  // a registry that refuses leaves the older mode, which still shows the page
  wxRegKey key(wxRegKey::HKCU, kEmulationKey);
  if (modern) {
    if (key.Create(false)) key.SetValue(programFileName(), static_cast<long>(wxWEBVIEWIE_EMU_IE11));
    return;
  }
  if (key.Exists() && key.HasValue(programFileName())) key.DeleteValue(programFileName());
}

// Shows over the browser's place why the page is not there: the page's path and the control's
// own name for the error.
void sayPageFailed(wxWebView* browser, const wxWebViewEvent& event) {
  const wxString page = wxFileSystem::URLToFileName(event.GetURL()).GetFullPath();
  // NOTE: the control names the error only for the codes it knows; Wine's has none for a file.
  const wxString why =
      event.GetString().empty() ? wxString("it gave no reason") : event.GetString();
  const wxString text = "Cannot show the card gallery \"" + (page.empty() ? event.GetURL() : page) +
                        "\": the web browser control could not load it (" + why + ").";
  std::cerr << text.utf8_string() << std::endl;
  wxWindow* parent = browser->GetParent();
  auto* message = new wxStaticText(parent, wxID_ANY, text);
  message->SetSize(browser->GetRect());
  message->Wrap(browser->GetSize().GetWidth());
  browser->Hide();
  // The viewer keeps sizing the browser's place; the message follows it.
  browser->Bind(wxEVT_SIZE, [browser, message, text](wxSizeEvent& sized) {
    sized.Skip();
    message->SetLabel(text);
    message->SetSize(browser->GetRect());
    message->Wrap(browser->GetSize().GetWidth());
  });
}

// NOLINTBEGIN(performance-unnecessary-value-param): the type that the viewer calls on Linux too
wxWebView* newBrowser(wxWindow* parent, std::function<void(const wxString& url)> onLoaded,
                      std::function<void(EngineLoss)> /*onEngineLost*/) {
  // NOLINTEND(performance-unnecessary-value-param)
  // The control runs inside the program's own process: there is no engine process to lose.
  useModernMode(true);
  wxWebView* browser = wxWebView::IsBackendAvailable(wxWebViewBackendIE)
                           ? wxWebView::New(parent, wxID_ANY, wxWebViewDefaultURLStr,
                                            wxDefaultPosition, wxDefaultSize, wxWebViewBackendIE)
                           : nullptr;
  if (browser == nullptr || browser->GetHWND() == nullptr) {
    throw FileError(ENOSYS, "start the web browser control (Internet Explorer) for", "the gallery");
  }
  browser->Bind(wxEVT_WEBVIEW_LOADED, [onLoaded = std::move(onLoaded)](wxWebViewEvent& event) {
    onLoaded(event.GetURL());
  });
  // A script the viewer runs in the page is tagged with the browser; one the page refuses is said.
  browser->Bind(wxEVT_WEBVIEW_SCRIPT_RESULT, [browser](wxWebViewEvent& event) {
    if (event.GetClientData() != browser) {
      event.Skip();
    } else if (event.IsError()) {
      std::cerr << "The gallery page did not take the viewer's script: "
                << event.GetString().utf8_string() << std::endl;
    }
  });
  browser->Bind(wxEVT_WEBVIEW_ERROR, [browser, said = false](wxWebViewEvent& event) mutable {
    if (said || event.GetInt() == wxWEBVIEW_NAV_ERR_USER_CANCELLED) return;
    said = true;
    sayPageFailed(browser, event);
  });
  return browser;
}

void endBrowser(wxWebView* /*browser*/) { useModernMode(false); }

}  // namespace

const BrowserModule& browserModule() {
  static const BrowserModule linkedIn{newBrowser, endBrowser};
  return linkedIn;
}

}  // namespace selvara
