// The viewer window.
#include "viewer/viewer_window_wx.h"

#include <wx/filename.h>
#include <wx/filesys.h>
#include <wx/stattext.h>
#include <wx/webview.h>

#include <iostream>

#include "platform/file_services.h"
#include "platform/program_icon_wx.h"
#include "platform/resources.h"
#include "platform/run_trace.h"
#include "platform/window_frame_wx.h"
#include "viewer/browser_module_wx.h"
#include "viewer/viewer_layout.h"

namespace selvara {
namespace {

wxPoint pixelPoint(const Rect& rect) { return {twipsToPixels(rect.left), twipsToPixels(rect.top)}; }

wxSize pixelSize(int widthTwips, int heightTwips) {
  return {twipsToPixels(widthTwips), twipsToPixels(heightTwips)};
}

wxString galleryKeysScript() {
  const auto bytes = findResource(kGalleryKeysType, kGalleryKeysId);
  if (!bytes) {
    std::cerr << "The program carries no keyboard script for the gallery page" << std::endl;
    return {};
  }
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): the script's bytes as text
  return wxString::FromUTF8(reinterpret_cast<const char*>(bytes->data()), bytes->size());
}

}  // namespace

Form1::Form1()
    : wxFrame(nullptr, wxID_ANY, kDesignCaption), m_timer1(kQuitPollMs, [this] { tick(); }) {
  auto* command1 = new wxButton(this, wxID_ANY, "Command1", FromDIP(pixelPoint(kCommand1Rect)),
                                FromDIP(pixelSize(kCommand1Rect.width, kCommand1Rect.height)));
  // Start-up writes the page itself; the button has nothing to offer the user.
  command1->Hide();
  SetClientSize(FromDIP(pixelSize(kViewerClientWidthTwips, kViewerClientHeightTwips)));

  Bind(wxEVT_SIZE, [this](wxSizeEvent&) { Form_Resize(); });
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) {
    if (m_onUnload) m_onUnload();
  });
}

Form1::~Form1() {
  // Terminate: the same steps as unload; the window is already on its way out.
  m_unloading = true;
  if (m_onUnload) m_onUnload();
  endBrowser();
}

wxWebView* Form1::webBrowser1() {
  if (m_webBrowser1 != nullptr) return m_webBrowser1;
  // The icons wait for the browser too: the viewer is not on screen before it.
  SetIcons(programIcons());
  m_webBrowser1 = browserModule().newBrowser(
      this,
      [this](const wxString& url) {
        // The first load is the web view's own blank page; only the gallery's counts.
        if (m_pageUrl.empty() || url != m_pageUrl) return;
        traceMoment("page-loaded");
        // The page's own script knows the pointer only; this adds the keyboard. Tagged with the
        // browser, whose module says on standard error if the page refuses it.
        m_webBrowser1->RunScriptAsync(galleryKeysScript(), m_webBrowser1);
      },
      [this](EngineLoss loss) { engineLost(loss); });
  placeBrowser(kBrowserRect.width, kBrowserRect.height);
  Form_Resize();
  return m_webBrowser1;
}

void Form1::endBrowser() {
  if (m_webBrowser1 == nullptr) return;
  browserModule().endBrowser(m_webBrowser1);
}

void Form1::engineLost(EngineLoss loss) {
  // Before the gallery there is nothing to bring back: its navigation starts a new process.
  if (m_unloading || m_pageUrl.empty()) return;
  traceMoment("engine-lost");
  const EngineLossStep step = m_recovery.engineLost(loss, m_setName, EngineRecovery::Clock::now());
  std::cerr << step.message << std::endl;
  if (step.reload) {
    m_webBrowser1->LoadURL(m_pageUrl);
    return;
  }
  m_webBrowser1->Hide();
  m_engineMessageText = wxString::FromUTF8(step.message);
  m_engineMessage = new wxStaticText(this, wxID_ANY, m_engineMessageText);
  Form_Resize();
}

void Form1::setHandlers(std::function<void()> onUnload, std::function<void()> onTick) {
  m_onUnload = std::move(onUnload);
  m_onTick = std::move(onTick);
}

void Form1::setCaption(const std::string& caption) { SetTitle(wxString::FromUTF8(caption)); }

void Form1::navigate(const std::string& path) {
  // The path is UTF-8 (on Windows always, from the system's UTF-16); bytes that are not are read
  // as the file system's own encoding reads them.
  wxString name = wxString::FromUTF8(path);
  if (name.empty()) name = wxString(path.c_str(), *wxConvFileName);
  m_pageUrl = wxFileSystem::FileNameToURL(wxFileName(name));
  webBrowser1()->LoadURL(m_pageUrl);
}

void Form1::unload() {
  if (m_unloading) return;
  m_unloading = true;
  m_timer1.setEnabled(false);
  endBrowser();
  if (m_ticking) {
    m_destroyAfterTick = true;
  } else {
    Destroy();
  }
}

void Form1::tick() {
  if (!m_onTick) return;
  m_ticking = true;
  m_onTick();
  m_ticking = false;
  // Destroy only queues the window for deletion at the next idle time, after this tick.
  if (m_destroyAfterTick) Destroy();
}

void Form1::Form_Resize() {
  // The outer size the rule means is the frame the user sees, shadows left out.
  const wxSize outer = ToDIP(visibleFrameSize(*this));
  const auto browser = selvara::Form_Resize(IsIconized(), pixelsToTwips(outer.GetWidth()),
                                            pixelsToTwips(outer.GetHeight()));
  if (!browser || m_webBrowser1 == nullptr) return;
  placeBrowser(browser->width, browser->height);
}

void Form1::placeBrowser(int widthTwips, int heightTwips) {
  const wxRect place(FromDIP(pixelPoint(kBrowserRect)),
                     FromDIP(pixelSize(widthTwips, heightTwips)));
  m_webBrowser1->SetSize(place);
  if (m_engineMessage == nullptr) return;
  // Wrapped anew at each width, from the unwrapped text.
  m_engineMessage->SetLabel(m_engineMessageText);
  m_engineMessage->Wrap(place.width);
  m_engineMessage->SetSize(place);
}

}  // namespace selvara
