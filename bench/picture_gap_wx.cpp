// How long the viewer's main loop goes without a turn while the web view loads pictures given by
// path, and how long the load takes: every card picture comes through the program's own picture
// scheme. Run by hand, under a display:
//   bin/picture_gap PICTURE...   prints the longest gap, the load time and the peak memory
// Each PICTURE is named as a card picture is (NAMEc.jpg): the scheme serves no other.
#include <glib.h>
#include <wx/app.h>
#include <wx/webview.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "gallery/markup_escape.h"
#include "viewer/viewer_window_wx.h"

namespace {

using Clock = std::chrono::steady_clock;
std::vector<std::string> pictures;  // as the system passed them, bytes unchanged
Clock::time_point lastTurn;
Clock::duration longestGap{};

double milliseconds(Clock::duration span) {
  return std::chrono::duration<double, std::milli>(span).count();
}

long peakKib() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("VmHWM:")) return std::atol(line.c_str() + 6);
  }
  return 0;
}

class PictureGapApp : public wxApp {
 public:
  bool OnInit() override {
    char folder[] = "/tmp/picture-gap.XXXXXX";
    if (::mkdtemp(folder) == nullptr) return false;
    const std::string page = std::string(folder) + "/page.html";
    std::ofstream out(page);
    out << "<html><body>\n";
    for (const std::string& picture : pictures) {
      std::string address;
      selvara::appendPictureAddress(address, picture);
      out << "<img src='" << address << "'>\n";
    }
    out << "</body></html>\n";
    out.close();
    auto* viewer = new selvara::Form1();
    viewer->Show();
    wxWebView* view = viewer->webBrowser1();
    view->Bind(wxEVT_WEBVIEW_LOADED, [=, this](wxWebViewEvent& event) {
      if (!event.GetURL().EndsWith("page.html")) return;
      const auto loaded = Clock::now() - m_start;
      std::printf("longest main-loop gap %.1f ms, load %.2f s, peak memory %ld MiB\n",
                  milliseconds(longestGap), milliseconds(loaded) / 1000, peakKib() / 1024);
      std::fflush(stdout);
      std::remove(page.c_str());
      std::remove(folder);
      viewer->unload();
      ExitMainLoop();  // the measuring source below would keep the loop turning
    });
    // A turn of the main loop runs this every millisecond it can.
    g_timeout_add(
        1,
        [](gpointer) -> gboolean {
          const auto now = Clock::now();
          if (now - lastTurn > longestGap) longestGap = now - lastTurn;
          lastTurn = now;
          return G_SOURCE_CONTINUE;
        },
        nullptr);
    view->CallAfter([this, viewer, page] {
      m_start = lastTurn = Clock::now();
      longestGap = {};
      viewer->navigate(page);
    });
    return true;
  }

 private:
  Clock::time_point m_start;
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(PictureGapApp);

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: picture_gap PICTURE...\n");
    return 2;
  }
  pictures.assign(argv + 1, argv + argc);
  int toolkitArgc = 1;  // the toolkit would warn about a path that is not UTF-8, and ignore it
  return wxEntry(toolkitArgc, argv);
}
