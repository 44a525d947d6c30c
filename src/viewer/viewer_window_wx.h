// The viewer window on wxWidgets: the web view that shows the gallery, and the quit-poll timer.
#pragma once

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/webview.h>

#include <functional>

#include "platform/event_pump_wx.h"
#include "platform/toolkit.h"
#include "viewer/engine_recovery.h"

class wxStaticText;

namespace selvara {

class Form1 : public wxFrame, public Viewer {
 public:
  Form1();
  ~Form1() override;
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // What closing the window (unload, and terminate when the window object goes) and the
  // quit-poll tick run.
  void setHandlers(std::function<void()> onUnload, std::function<void()> onTick);

  void setCaption(const std::string& caption) override;
  void setCardSet(const std::string& setName) override { m_setName = setName; }
  void navigate(const std::string& path) override;
  Timer& quitTimer() override { return m_timer1; }
  void unload() override;

  // The web view and its engine's processes take long to start and the options dialog needs
  // neither, so the browser is made when first asked for: once the dialog is on screen, or by
  // the first navigation, whichever comes first.
  wxWebView* webBrowser1();
  // Ends the web engine's process at once: on its own it finishes laying out the page it is
  // busy with before it notices that the program has gone.
  void endBrowser();

 private:
  void Form_Resize();
  void placeBrowser(int widthTwips, int heightTwips);
  // The page's engine process ended by itself: the page is loaded again, or a message replaces it.
  void engineLost(EngineLoss loss);
  void tick();

  std::function<void()> m_onUnload;
  std::function<void()> m_onTick;
  wxWebView* m_webBrowser1 = nullptr;
  wxString m_pageUrl;
  std::string m_setName;
  EngineRecovery m_recovery;
  wxStaticText* m_engineMessage = nullptr;
  wxString m_engineMessageText;
  WxTimer m_timer1;
  bool m_unloading = false;
  // The tick pumps events, and a close handled there must not free the window (and the timer
  // whose tick is running) under it: the window goes once the tick has returned.
  bool m_ticking = false;
  bool m_destroyAfterTick = false;
};

}  // namespace selvara
