// The real viewer and its resize rule, and the real start-up with the real dialog and viewer: what
// the user picks reaches the page, every picture loads whatever its name, the enlarged card opens
// beside the pointer and stays, also once the page's engine died and came back, and the window
// says why when it dies again.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/image.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>

#include "gui_wait.h"
#include "options/options_dialog_wx.h"
#include "platform/executable_info.h"
#include "platform/window_frame_wx.h"
#include "startup/command_line.h"
#include "startup/shutdown.h"
#include "startup/startup.h"
#include "viewer/viewer_layout.h"
#include "viewer/viewer_window_wx.h"

namespace selvara {
namespace {

namespace fs = std::filesystem;
using Numbers = std::vector<double>;

const std::string kSetName = "Set 'q' & <b> #1 %41 ?x \xc3\x86r\xc3\xb8";
const std::vector<std::string> kHostile = {
    "a\"'\"'", "a%41;",  "a'&<>",       "b&amp",     "b\xc3\x86r \xc3\xb8",
    "c <i>",   "c\"#%?", "c?#\xc3\xa9", "b\xe9t\xe9"};  // the last in an 8-bit encoding, not UTF-8

Numbers numbers(const std::string& text) {
  Numbers values;
  std::istringstream in(text);
  for (double value = 0; in >> value; in.ignore(1)) values.push_back(value);
  return values;
}

class GalleryRun : public ::testing::Test {
 protected:
  // The hostile cards and enough plain ones to fill the window with small thumbnails, each with
  // a picture of a colour of its own.
  static void SetUpTestSuite() {
    std::string name = (fs::temp_directory_path() / "selvara-gui.XXXXXX").string();
    ASSERT_NE(::mkdtemp(name.data()), nullptr);
    fs::create_directory((root = name) / "program");
    std::vector<std::string> cards = kHostile;
    for (int i = 1000; i < 1520; ++i) cards.push_back("a" + std::to_string(i));
    for (std::size_t i = 0; i < cards.size(); ++i) {
      fs::create_directories(root / kSetName / "data" / cards[i]);
      wxImage picture(30, 44);
      const auto shade = [i](std::size_t k) { return static_cast<unsigned char>(i * k % 200); };
      picture.SetRGB(wxRect(0, 0, 30, 44), shade(53), shade(97), shade(31));
      const fs::path file = root / kSetName / "data" / cards[i] / (cards[i] + "c.jpg");
      // Saved under a name the toolkit can take, then moved to the card's own.
      ASSERT_TRUE(picture.SaveFile(wxString::FromUTF8((root / "p.jpg").string())));
      fs::rename(root / "p.jpg", file);
    }
    // Card "pictures" that are no plain file, in folders whose names are UTF-8 and not: a folder,
    // a FIFO, the terminal (the tests run under one) and a device that never ends. Each shows as
    // missing, and nothing opens them: reading the terminal would stop the program.
    for (const std::string card : {"b", "b\xe9"}) {
      const std::string odd = (root / kSetName / "data" / card).string();
      for (const char* kind : {"f", "p", "t", "z"}) fs::create_directories(odd + kind);
      fs::create_directory(odd + "f/" + card + "fc.jpg");
      ASSERT_EQ(::mkfifo((odd + "p/" + card + "pc.jpg").c_str(), 0644), 0);
      fs::create_symlink("/dev/tty", odd + "t/" + card + "tc.jpg");
      fs::create_symlink("/dev/zero", odd + "z/" + card + "zc.jpg");
    }
  }
  static void TearDownTestSuite() { fs::remove_all(root); }
  void TearDown() override {
    if (viewer != nullptr) viewer->unload();
    reference.unload();
    EXPECT_TRUE(test::waitFor([] { return wxTopLevelWindows.empty(); }));
  }

  // Start-up as the program runs it; `whileShown` runs once the dialog waits for the user.
  void start(int dialogMs, std::function<void()> whileShown, const std::string& set = {}) {
    reference.attach(dialog = new Form2(state, reference, dialogMs));
    dialog->Bind(wxEVT_PAINT, [this](wxPaintEvent& event) { painted = true, event.Skip(); });
    view = (viewer = new Form1())->webBrowser1();
    view->Bind(wxEVT_WEBVIEW_SCRIPT_RESULT, [this](wxWebViewEvent& event) {
      answers[event.GetClientData()] = (event.IsError() ? "error: " : "") + event.GetString();
    });
    wxTimer watchdog;  // the wait would never end if the dialog failed to hide
    watchdog.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { reference.hide(), ADD_FAILURE(); });
    watchdog.StartOnce(30000);
    wxTheApp->CallAfter(whileShown);
    StartupContext context{reference,
                           pump,
                           *viewer,
                           {"selvara-card-viewer", "/usr/bin", programVersion()},
                           (root / "program").string(),
                           ".",
                           commandLineText({set.empty() ? (root / kSetName).string() : set})};
    Form_Load(state, context);
    viewer->Show();
    EXPECT_FALSE(reference.isVisible() || dialog->timer1().enabled());
    EXPECT_TRUE(test::waitFor([&] { return galleryLoaded(); }));
  }
  bool galleryLoaded() {
    return ask("location.href.endsWith('test.html') && document.readyState") == "complete";
  }
  // Ends the page's engine process, a child of this one, as the out-of-memory killer does.
  static void killEngine() {
    const std::string kill = "pkill -KILL -x -P " + std::to_string(::getpid()) + " WebKitWebProces";
    ASSERT_EQ(std::system(kill.c_str()), 0) << kill;
  }
  std::string ask(const std::string& script) {
    void* tag = reinterpret_cast<void*>(++asked);
    view->RunScriptAsync(wxString::FromUTF8(script), tag);
    EXPECT_TRUE(test::waitFor([&] { return answers.count(tag) != 0; })) << script;
    return answers[tag].utf8_string();
  }

  static inline fs::path root;
  RunState state;
  WxEventPump pump;
  Form2Reference reference{pump};
  Form2* dialog = nullptr;
  bool painted = false;
  Form1* viewer = nullptr;
  wxWebView* view = nullptr;
  std::map<void*, wxString> answers;
  std::intptr_t asked = 0;
};

// The dialog hides by its timer and every picture loads; then the engine dies, comes back, and
// dies again soon after: the window says why.
TEST_F(GalleryRun, DialogHidesByItsTimerEveryPictureLoadsAndTheWindowSaysWhyTheEngineDied) {
  const auto nothing = [] {};
  start(200, nothing, "/" + (root / kSetName).string());  // "//tmp/...": not a network address
  EXPECT_EQ(viewer->GetTitle().utf8_string(),
            "SET - " + kSetName + " - Selvara Card Viewer - Version 1.0.0.1");
  EXPECT_EQ(ask("document.querySelector('center').textContent"),
            " Cards " + kSetName + "  Thumbs 43 x 63  PopUp 172 x 252  On Mouse Down  ");
  const std::string thumbs = "Array.from(document.querySelectorAll('#pics img'))";
  EXPECT_EQ(ask(thumbs + ".filter(i => !(i.naturalWidth > 0)).map(i => i.alt).join('|')"),
            "bf|bp|bt|bz|b\uFFFDf|b\uFFFDp|b\uFFFDt|b\uFFFDz");
  EXPECT_EQ(ask(thumbs + ".length"), "537");
  EXPECT_EQ(ask(thumbs + ".filter(i => i.alt == 'b\uFFFDt\uFFFD').length"), "1");
  killEngine();
  EXPECT_TRUE(test::waitFor([&] { return galleryLoaded(); }));
  killEngine();
  wxString message;
  EXPECT_TRUE(test::waitFor([&] {
    const auto* text = dynamic_cast<wxStaticText*>(viewer->GetChildren().back());
    message = text != nullptr ? text->GetLabel() : "";
    message.Replace("\n", " ");  // wrapped to the window's width
    return !view->IsShown() && message.Contains("\"" + wxString::FromUTF8(kSetName) + "\"") &&
           message.Contains("crashed");
  })) << message;
}

TEST_F(GalleryRun, CloseHandledInsideTheQuitTickEndsTheRun) {
  start(200, [] {});
  ShutdownContext shutdown{*viewer, reference, pump};
  const auto closeInTick = [&] {
    // A close that arrives while the tick pumps events, as one from the close button can.
    viewer->GetEventHandler()->QueueEvent(new wxCloseEvent(wxEVT_CLOSE_WINDOW));
    Timer1_Timer(state, shutdown);
  };
  viewer->setHandlers([&] { Form_Unload(state, shutdown); }, closeInTick);
  wxGUIEventLoop loop;  // the tick runs from an event loop, as in the program, not inside a yield
  wxTimer poll;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  poll.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
    if (wxTopLevelWindows.empty() || std::chrono::steady_clock::now() > deadline) loop.Exit();
  });
  poll.Start(10);
  loop.Run();
  EXPECT_TRUE(wxTopLevelWindows.empty());
  viewer = nullptr;
  EXPECT_FALSE(fs::exists(root / "program" / "test.html"));
}

enum Placement { kBeside = 1, kFlipped = 2, kLifted = 4 };

class PopupPlacement : public GalleryRun, public ::testing::WithParamInterface<int> {
 protected:
  // Moves the pointer to the screen point that shows page point (x, y), and waits until the page
  // has seen it there. At a large text size the page is drawn larger.
  void moveTo(double x, double y) {
    const wxPoint origin = view->ClientToScreen(wxPoint(0, 0));
    const wxPoint at(origin.x + static_cast<int>(std::lround((x - page[0]) * zoom)),
                     origin.y + static_cast<int>(std::lround((y - page[1]) * zoom)));
    input.MouseMove(at);
    const auto seen = wxString::Format("%g,%g", (at.x - origin.x) / zoom + page[0],
                                       (at.y - origin.y) / zoom + page[1]);
    EXPECT_TRUE(test::waitFor([&] { return ask("seen") == seen; })) << seen << " " << ask("seen");
  }
  Numbers popupBox() {
    return numbers(
        ask("var r = document.getElementById('pop').getBoundingClientRect(); "
            "[r.left + scrollX, r.top + scrollY, r.width, r.height].join(',')"));
  }
  // The 86 x 126 card lies wholly in the visible page, 10 pixels beside the point (x, y) and never
  // over it; level with it unless it would then reach the page's bottom edge.
  Numbers expectBeside(double x, double y) {
    const Numbers box = popupBox();
    const double bottom = page[1] + page[3];
    const bool right = box.at(0) == x + 10, level = box.at(1) == y - 10;
    EXPECT_TRUE(box[2] == 86 && box[3] == 126 && box[0] >= page[0] && box[1] >= page[1] &&
                box[0] + 86 <= page[0] + page[2] && box[1] + 126 <= bottom &&
                (right || box[0] + 86 == x - 10) &&
                (level || (y + 116 > bottom && box[1] + 146 >= bottom)))
        << ::testing::PrintToString(box) << " for the pointer at " << x << "," << y;
    placements |= (right ? 0 : kFlipped) | (level ? 0 : kLifted) | (right && level ? kBeside : 0);
    return box;
  }
  wxUIActionSimulator input;
  Numbers page;  // the visible part's left, top, width and height, then every thumbnail's box
  double zoom = 1;
  int placements = 0;
};

TEST_P(PopupPlacement, OpensBesideThePointerAndStaysWhileItRests) {
  if (wxGetDisplayInfo().type == wxDisplayWayland) GTEST_SKIP() << "no input device to simulate";
  const auto click = [&](wxRadioButton* button) {
    // A user clicks what is on screen: the dialog has been placed and drawn.
    ASSERT_TRUE(test::waitFor([&] { return painted; }));
    input.MouseMove(button->GetScreenRect().GetLeftTop() + wxPoint(6, button->GetSize().y / 2));
    input.MouseClick();
  };
  start(60000, [&] {
    // Small thumbnails and popups, so that the window holds many. A half-size popup leaves no
    // room for full-size thumbnails: clicking one changes nothing.
    click(dialog->oPopup().button(0));
    click(dialog->oThumb().button(1));
    click(dialog->oThumb().button(4));
    click(dialog->oPopaction().button(GetParam()));
    EXPECT_TRUE(test::waitFor([&] { return state.PopupActionIndex == GetParam(); }));
    if (GetParam() == 0) dialog->Close();  // what the window manager's close button raises
    if (GetParam() == 1) input.Char(WXK_ESCAPE);
  });
  EXPECT_EQ(std::vector<int>({state.ThumbIndex, state.PopupIndex}), std::vector<int>({1, 0}));
  if (GetParam() == 1) {  // on press: under a gallery whose engine died and was brought back
    killEngine();
    EXPECT_TRUE(test::waitFor([&] { return galleryLoaded(); }));
  }
  page = numbers(
      ask("scrollTo(0, 37); window.seen = ''; window.presses = 0; "
          "document.addEventListener('mousemove', e => seen = e.pageX + ',' + e.pageY); "
          "document.addEventListener('mousedown', e => presses++); "
          "[scrollX, scrollY, innerWidth, innerHeight].concat(...Array.from("
          "document.querySelectorAll('#pics img'), i => { const r = i.getBoundingClientRect(); "
          "return [r.left + scrollX, r.top + scrollY, r.width, r.height]; })).join(',')"));
  zoom = std::round(100.0 * view->GetClientSize().x / page.at(2)) / 100;
  // Thumbnails wholly in view: the first, the last of the first row, the first of the last row.
  std::vector<Numbers> shown;
  for (auto r = page.begin() + 4; r + 3 < page.end(); r += 4) {
    if (r[1] >= page[1] && r[1] + r[3] < page[1] + page[3] && r[0] + r[2] < page[2] - 20)
      shown.emplace_back(r, r + 4);
  }
  ASSERT_GT(shown.size(), 3u);
  EXPECT_EQ(Numbers(shown[0].begin() + 2, shown[0].end()), (Numbers{22, 32})) << "thumbnail size";
  const auto rowEnd =
      std::find_if(shown.begin(), shown.end(), [&](auto& r) { return r[1] > shown[0][1]; });
  const auto lastRow =
      std::find_if(shown.begin(), shown.end(), [&](auto& r) { return r[1] == shown.back()[1]; });
  for (const Numbers& r : {shown[0], rowEnd[-1], *lastRow}) {
    SCOPED_TRACE(wxString::Format("thumbnail at %g,%g", r[0], r[1]).ToStdString());
    moveTo(page[0] + 2, std::floor(r[1] + r[3] / 2));  // the body's margin, beside the table
    EXPECT_EQ(popupBox()[0], -1000) << "open before the pointer came onto a thumbnail";
    for (const double at : {0.3, 0.9}) {  // on press: near the top left and the bottom right
      if (GetParam() == 0) break;
      const double x = std::floor(r[0] + at * r[2]), y = std::floor(r[1] + at * r[3]);
      moveTo(x, y);
      input.MouseClick();
      EXPECT_TRUE(test::waitFor([&] { return ask("presses > 0 && presses-- > 0") == "true"; }));
      expectBeside(x, y);
    }
    // On mouse-over: glide in from the left, then down, resting at every step; the card stays
    // where it opened.
    double x = std::floor(r[0]) - 2, y = std::floor(r[1] + r[3] / 2);
    for (Numbers opened; GetParam() == 0 && y < r[1] + r[3] - 1;
         (x < r[0] + r[2] - 6 ? x : y) += 5) {
      moveTo(x, y);
      if (opened.empty() && x >= r[0]) {
        opened = expectBeside(x, y);
      } else if (!opened.empty()) {
        EXPECT_EQ(popupBox(), opened) << "pointer at " << x << "," << y;
      }
    }
  }
  moveTo(page[0] + 2, page[1] + 2);
  EXPECT_EQ(popupBox(), (Numbers{-1000, 10, 0, 0})) << "still open after leaving";
  EXPECT_EQ(placements, kBeside | kFlipped | kLifted) << "not every placement was tried";
}

INSTANTIATE_TEST_SUITE_P(Triggers, PopupPlacement, ::testing::Values(0, 1),
                         [](const auto& p) { return p.param == 0 ? "MouseOver" : "MouseDown"; });

TEST(ViewerTest, BrowserFollowsTheWindowLessTheMargins) {
  auto* viewer = new Form1();
  EXPECT_EQ(viewer->GetTitle(), kDesignCaption);
  viewer->Show();
  for (const wxSize size : {wxSize(900, 700), wxSize(500, 400), wxSize(640, 480)}) {
    viewer->SetSize(size);
    // The rule works in twips (15 to a pixel) on the outer size the user sees (under Wayland
    // the toolkit's own size counts the shadows too), and never goes below zero.
    const wxSize outer = visibleFrameSize(*viewer);
    const wxSize expected(std::max(0, (outer.x * 15 - 250) / 15),
                          std::max(0, (outer.y * 15 - 610) / 15));
    EXPECT_TRUE(test::waitFor([&] { return viewer->webBrowser1()->GetSize() == expected; }))
        << outer.x << "x" << outer.y << " gave " << viewer->webBrowser1()->GetSize().x << "x"
        << viewer->webBrowser1()->GetSize().y;
    EXPECT_EQ(viewer->webBrowser1()->GetPosition(), wxPoint(2, 4));
    // Beside the client area only the side borders count in the outer width: the browser is
    // never cut off at the right.
    EXPECT_LE(viewer->webBrowser1()->GetRect().GetRight(), viewer->GetClientSize().x);
  }
  viewer->unload();
  EXPECT_TRUE(test::waitFor([] { return wxTopLevelWindows.empty(); }));
}

}  // namespace
}  // namespace selvara
