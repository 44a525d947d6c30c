// The viewer window.
#include "platform/wx_viewer_frame.h"

#include <wx/filename.h>
#include <wx/filesys.h>

#include "platform/program_icon.h"
#include "platform/run_trace.h"
#include "startup/form_load.h"
#include "viewer/resize_rule.h"

namespace selvara {
namespace {

constexpr int kClientWidthTwips = 11730;
constexpr int kClientHeightTwips = 9345;
constexpr int kQuitPollMs = 500;
// The browser's top-left corner; resizing keeps it there.
constexpr int kBrowserLeftTwips = 30;
constexpr int kBrowserTopTwips = 60;

wxPoint pixelPoint(int leftTwips, int topTwips) {
  return {twipsToPixels(leftTwips), twipsToPixels(topTwips)};
}

wxSize pixelSize(int widthTwips, int heightTwips) {
  return {twipsToPixels(widthTwips), twipsToPixels(heightTwips)};
}

}  // namespace

Form1::Form1(RunState& state, Form2Reference& form2, WxEventPump& pump)
    : wxFrame(nullptr, wxID_ANY, kDesignCaption),
      m_state(state),
      m_shutdown{*this, form2, pump},
      m_timer1(kQuitPollMs, [this] { Timer1_Timer(m_state, m_shutdown); }) {
  SetIcons(programIcons());
  m_command1 = new wxButton(this, wxID_ANY, "Command1", FromDIP(pixelPoint(30, 90)),
                            FromDIP(pixelSize(1515, 345)));
  // Start-up writes the page itself; the button has nothing to offer the user.
  m_command1->Hide();
  m_webBrowser1 = wxWebView::New(this, wxID_ANY);
  m_webBrowser1->SetPosition(FromDIP(pixelPoint(kBrowserLeftTwips, kBrowserTopTwips)));
  m_webBrowser1->SetSize(FromDIP(pixelSize(9915, 7035)));
  SetClientSize(FromDIP(pixelSize(kClientWidthTwips, kClientHeightTwips)));

  Bind(wxEVT_SIZE, [this](wxSizeEvent&) { Form_Resize(); });
  m_webBrowser1->Bind(wxEVT_WEBVIEW_LOADED, [this](wxWebViewEvent& event) {
    // The first load is the web view's own blank page; only the gallery's counts.
    if (!m_pageUrl.empty() && event.GetURL() == m_pageUrl) traceMoment("page-loaded");
  });
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Form_Unload(m_state, m_shutdown); });
}

Form1::~Form1() {
  // Terminate: the same steps as unload; the window is already on its way out.
  m_unloading = true;
  Form_Unload(m_state, m_shutdown);
}

void Form1::setCaption(const std::string& caption) { SetTitle(wxString::FromUTF8(caption)); }

void Form1::navigate(const std::string& path) {
  const wxString name(path.c_str(), *wxConvFileName);
  m_pageUrl = wxFileSystem::FileNameToURL(wxFileName(name));
  m_webBrowser1->LoadURL(m_pageUrl);
}

void Form1::unload() {
  if (m_unloading) return;
  m_unloading = true;
  m_timer1.setEnabled(false);
  Destroy();
}

void Form1::Form_Resize() {
  const wxSize outer = ToDIP(GetSize());
  const auto browser = selvara::Form_Resize(IsIconized(), pixelsToTwips(outer.GetWidth()),
                                            pixelsToTwips(outer.GetHeight()));
  if (!browser || m_webBrowser1 == nullptr) return;
  m_webBrowser1->SetSize(wxRect(FromDIP(pixelPoint(kBrowserLeftTwips, kBrowserTopTwips)),
                                FromDIP(pixelSize(browser->width, browser->height))));
}

}  // namespace selvara
