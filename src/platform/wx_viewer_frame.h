// The viewer window on wxWidgets: the web view that shows the gallery, and the quit-poll timer.
#pragma once

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/webview.h>

#include "platform/wx_event_pump.h"
#include "platform/wx_options_dialog.h"
#include "startup/shutdown.h"

namespace selvara {

class Form1 : public wxFrame, public Viewer {
 public:
  Form1(RunState& state, Form2Reference& form2, WxEventPump& pump);
  ~Form1() override;
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  void setCaption(const std::string& caption) override;
  void navigate(const std::string& path) override;
  Timer& quitTimer() override { return m_timer1; }
  void unload() override;

  wxWebView* webBrowser1() const { return m_webBrowser1; }
  WxTimer& timer1() { return m_timer1; }

 private:
  void Form_Resize();

  RunState& m_state;
  ShutdownContext m_shutdown;
  wxWebView* m_webBrowser1 = nullptr;
  wxButton* m_command1 = nullptr;
  wxString m_pageUrl;
  WxTimer m_timer1;
  bool m_unloading = false;
};

}  // namespace selvara
