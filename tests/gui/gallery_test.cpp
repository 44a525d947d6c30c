// The real start-up with the real dialog and viewer: what the user picks reaches the page, every
// picture loads whatever its name, and the enlarged card opens beside the pointer and stays.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "gui_wait.h"
#include "options/options_dialog_wx.h"
#include "platform/executable_info.h"
#include "startup/command_line.h"
#include "startup/startup.h"
#include "viewer/viewer_window_wx.h"

namespace selvara {
namespace {

namespace fs = std::filesystem;
using Numbers = std::vector<double>;

#define REQUIRE_INPUT()                            \
  if (wxGetDisplayInfo().type == wxDisplayWayland) \
  GTEST_SKIP() << "the display offers no input device to simulate"

const std::string kSetName = "Set 'q' & <b> #1 %41 ?x \xc3\x86r\xc3\xb8";
const std::vector<std::string> kHostileCards = {
    "a'&<>", "c\"#%?", "b\xc3\x86r \xc3\xb8", "a%41;", "c <i>", "a\"'\"'", "b&amp", "c?#\xc3\xa9"};
constexpr int kPlainCards = 520;  // enough to fill the window with small thumbnails

Numbers numbers(const std::string& text) {
  Numbers values;
  std::istringstream in(text);
  for (double value = 0; in >> value; in.ignore(1)) values.push_back(value);
  return values;
}

class GalleryRun : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string pattern = (fs::temp_directory_path() / "selvara-gui.XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root = pattern;
    fs::create_directory(root / "program");
    std::vector<std::string> cards = kHostileCards;
    for (int i = 0; i < kPlainCards; ++i)
      cards.push_back(wxString::Format("a%04d", i).ToStdString());
    for (std::size_t i = 0; i < cards.size(); ++i) {
      const std::string& card = cards[i];
      const fs::path folder = root / kSetName / "data" / card;
      fs::create_directories(folder);
      wxImage picture(30, 44);  // a colour of its own, to tell the card from its neighbours
      const auto shade = [i](std::size_t k) {
        return static_cast<unsigned char>(60 + i * k % 190);
      };
      picture.SetRGB(wxRect(0, 0, 30, 44), shade(53), shade(97), shade(31));
      ASSERT_TRUE(picture.SaveFile(wxString::FromUTF8((folder / (card + "c.jpg")).string()),
                                   wxBITMAP_TYPE_JPEG));
    }
  }
  static void TearDownTestSuite() { fs::remove_all(root); }
  void TearDown() override {
    if (viewer != nullptr) viewer->unload();
    reference.unload();
    EXPECT_TRUE(test::waitFor([] { return wxTopLevelWindows.empty(); }));
  }

  // Start-up as the program runs it; `whileShown` runs once the dialog waits for the user.
  bool start(int dialogMs, std::function<void()> whileShown = {}) {
    reference.attach(new Form2(state, reference, dialogMs));
    dialog = reference.get();
    viewer = new Form1();
    view = viewer->webBrowser1();
    view->Bind(wxEVT_WEBVIEW_LOADED, [this](wxWebViewEvent& event) {
      loaded = loaded || event.GetURL().EndsWith("test.html");
      event.Skip();
    });
    view->Bind(wxEVT_WEBVIEW_SCRIPT_RESULT, [this](wxWebViewEvent& event) {
      answers[event.GetClientData()] =
          event.IsError() ? "error: " + event.GetString() : event.GetString();
    });
    bool stuck = false;  // the wait would otherwise never end when the dialog fails to hide
    wxTimer watchdog;
    watchdog.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
      stuck = true;
      reference.hide();
    });
    watchdog.StartOnce(30000);
    if (whileShown) wxTheApp->CallAfter(whileShown);
    StartupContext context{
        reference, pump,
        *viewer,   {"selvara-card-viewer", (root / "program").string(), programVersion()},
        ".",       commandLineText({(root / kSetName).string()})};
    Form_Load(state, context);
    watchdog.Stop();
    EXPECT_FALSE(stuck) << "the dialog did not hide";
    viewer->Show();
    EXPECT_TRUE(test::waitFor([&] { return loaded; })) << "the gallery did not load";
    return !stuck && loaded;
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
  Form1* viewer = nullptr;
  wxWebView* view = nullptr;
  bool loaded = false;
  std::map<void*, wxString> answers;
  std::intptr_t asked = 0;
};

TEST_F(GalleryRun, EveryPictureLoadsUnderHostileNamesBelowItsHeading) {
  ASSERT_TRUE(start(200));
  EXPECT_EQ(viewer->GetTitle().utf8_string(),
            "SET - " + kSetName + " - Selvara Card Viewer - Version 1.0.0.1");
  EXPECT_EQ(ask("document.querySelector('center').textContent"),
            " Cards " + kSetName + "  Thumbs 43 x 63  PopUp 172 x 252  On Mouse Down  ");
  const std::string thumbs = "Array.from(document.querySelectorAll('#pics img'))";
  ASSERT_TRUE(test::waitFor([&] { return ask(thumbs + ".every(i => i.complete)") == "true"; }));
  EXPECT_EQ(ask(thumbs + ".filter(i => !(i.naturalWidth > 0)).map(i => i.alt).join('|')"), "");
  std::vector<std::string> alts;
  std::istringstream listed(ask(thumbs + ".map(i => i.alt).join('\\n')"));
  for (std::string alt; std::getline(listed, alt);) {
    if (alt.size() != 5 || alt[0] != 'a' || !std::isdigit(static_cast<unsigned char>(alt[1])))
      alts.push_back(alt);
  }
  std::vector<std::string> expected = kHostileCards;
  std::sort(expected.begin(), expected.end());
  std::sort(alts.begin(), alts.end());
  EXPECT_EQ(alts, expected);
}

// The ways the dialog goes away: each ends the wait and the dialog's timer, and start-up goes on.
class DialogHides : public GalleryRun, public ::testing::WithParamInterface<bool> {};

TEST_P(DialogHides, AndStartUpGoesOn) {
  const bool byTimer = GetParam();
  ASSERT_TRUE(start(byTimer ? 300 : 60000, [&] {
    if (!byTimer) dialog->Close();  // what the window manager's close button raises
  }));
  EXPECT_FALSE(dialog->IsShown());
  EXPECT_FALSE(dialog->timer1().enabled());
  EXPECT_TRUE(viewer->timer1().enabled());
}

INSTANTIATE_TEST_SUITE_P(Ways, DialogHides, ::testing::Bool(),
                         [](const auto& param) { return param.param ? "ByItsTimer" : "ByClose"; });

TEST_F(GalleryRun, ClickOnFullSizeMovesThePopupAndReachesThePage) {
  REQUIRE_INPUT();
  wxUIActionSimulator input;
  const auto click = [&](wxRadioButton* button) {
    input.MouseMove(button->GetScreenRect().GetLeftTop() + wxPoint(6, button->GetSize().y / 2));
    input.MouseClick();
  };
  ASSERT_TRUE(start(60000, [&] {
    click(dialog->oThumb().button(4));
    EXPECT_TRUE(test::waitFor([&] { return state.ThumbIndex == 4; }));
    EXPECT_EQ(state.PopupIndex, 2);
    EXPECT_TRUE(dialog->oPopup().isSelected(2));
    EXPECT_FALSE(dialog->oPopup().button(1)->IsEnabled());
    click(dialog->oPopup().button(0));  // disabled: the click changes nothing
    input.Char(WXK_ESCAPE);
  }));
  EXPECT_EQ(state.PopupIndex, 2);
  EXPECT_EQ(ask("var t = document.querySelector('#pics img'); "
                "t.width + 'x' + t.height + ' ' + t.getAttribute('onMouseDown').slice(-9)"),
            "172x252 ,258,378)");
}

// Where the template puts an 86 x 126 card for the pointer at page point (x, y).
enum Placement { kBeside = 1, kFlipped = 2, kLifted = 4 };
Numbers expectedBox(double x, double y, const Numbers& page, int& placements) {
  double left = x + 10, top = y - 10;
  const double right = page[0] + page[2], bottom = page[1] + page[3];
  if (left + 86 > right) left -= 106, placements |= kFlipped;
  if (top + 126 > bottom) top = bottom - 146, placements |= kLifted;
  if (left == x + 10 && top == y - 10) placements |= kBeside;
  return {left, top, 86, 126};
}

class PopupPlacement : public GalleryRun, public ::testing::WithParamInterface<int> {
 protected:
  // Moves the pointer to the screen point that shows page point (x, y), and waits until the page
  // has seen it there. The page may be zoomed: at a large text size it is drawn larger.
  void moveTo(double x, double y) {
    const wxPoint origin = view->ClientToScreen(wxPoint(0, 0));
    const wxPoint at(origin.x + static_cast<int>(std::lround((x - scroll[0]) * zoom)),
                     origin.y + static_cast<int>(std::lround((y - scroll[1]) * zoom)));
    input.MouseMove(at);
    const std::string seen = wxString::Format("%g,%g", (at.x - origin.x) / zoom + scroll[0],
                                              (at.y - origin.y) / zoom + scroll[1])
                                 .ToStdString();
    EXPECT_TRUE(test::waitFor([&] { return ask("seen") == seen; }))
        << "the page never saw " << seen << " but " << ask("seen");
  }
  Numbers popupBox() {
    return numbers(
        ask("var r = document.getElementById('pop').getBoundingClientRect(); "
            "[r.left + scrollX, r.top + scrollY, r.width, r.height].join(',')"));
  }
  wxUIActionSimulator input;
  Numbers scroll{0, 0};
  double zoom = 1;
};

TEST_P(PopupPlacement, OpensBesideThePointerAndStaysWhileItRests) {
  REQUIRE_INPUT();
  const bool onPress = GetParam() == 1;
  ASSERT_TRUE(start(60000, [&] {
    dialog->oThumb().select(1);  // small thumbnails and popups, so that the window holds many
    dialog->oPopup().select(0);
    dialog->oPopaction().select(GetParam());
    reference.hide();
  }));
  ask("scrollTo(0, 37); window.seen = ''; window.presses = 0; "
      "document.addEventListener('mousemove', e => seen = e.pageX + ',' + e.pageY); "
      "document.addEventListener('mousedown', e => presses++); 1");
  // The page's visible part and every thumbnail, in page coordinates.
  const Numbers page = numbers(
      ask("[scrollX, scrollY, innerWidth, innerHeight].concat(...Array.from("
          "document.querySelectorAll('#pics img'), i => { const r = i.getBoundingClientRect(); "
          "return [r.left + scrollX, r.top + scrollY, r.width, r.height]; })).join(',')"));
  ASSERT_GT(page.size(), 4u * kPlainCards);
  scroll = {page[0], page[1]};
  zoom = std::round(100.0 * view->GetClientSize().x / page[2]) / 100;
  // Thumbnails wholly in view: the first, the last of the first row, one of the last row.
  std::vector<Numbers> inView;
  for (std::size_t i = 4; i + 3 < page.size(); i += 4) {
    const Numbers r(page.begin() + static_cast<long>(i), page.begin() + static_cast<long>(i) + 4);
    if (r[1] >= page[1] && r[1] + r[3] < page[1] + page[3] && r[0] + r[2] < page[0] + page[2] - 20)
      inView.push_back(r);
  }
  ASSERT_GT(inView.size(), 3u);
  std::size_t rowEnd = 0;
  while (rowEnd + 1 < inView.size() && inView[rowEnd + 1][1] == inView[0][1]) ++rowEnd;
  const auto lastRow = std::find_if(inView.begin(), inView.end(),
                                    [&](const Numbers& r) { return r[1] == inView.back()[1]; });
  int placements = 0;
  for (const Numbers& r : {inView[0], inView[rowEnd], *lastRow}) {
    for (const int step : {1, 3, 8}) {
      SCOPED_TRACE(wxString::Format("thumbnail at %g,%g, step %d", r[0], r[1], step).ToStdString());
      moveTo(page[0] + 2, std::floor(r[1] + r[3] / 2));  // the body's margin, beside the table
      EXPECT_EQ(popupBox()[0], -1000) << "open before the pointer came onto a thumbnail";
      if (onPress) {  // a press at places all over the thumbnail
        for (const auto& [fx, fy] : {std::pair{0.1, 0.1}, {0.5, 0.5}, {0.9, 0.1}, {0.2, 0.9}}) {
          const double x = std::floor(r[0] + fx * r[2]), y = std::floor(r[1] + fy * r[3]);
          moveTo(x, y);
          input.MouseClick();
          EXPECT_TRUE(test::waitFor([&] { return ask("presses") != "0"; }));
          ask("presses = 0");
          EXPECT_EQ(popupBox(), expectedBox(x, y, page, placements))
              << "pressed at " << x << "," << y;
        }
        continue;
      }
      // Glide in from the left, then right across and down the thumbnail, resting at each step.
      std::optional<std::pair<double, double>> entry;
      double x = std::floor(r[0]) - 2, y = std::floor(r[1] + r[3] / 2);
      const auto rest = [&] {
        moveTo(x, y);
        if (!entry && x >= r[0]) entry = {x, y};
        if (entry) {
          EXPECT_EQ(popupBox(), expectedBox(entry->first, entry->second, page, placements))
              << "pointer at " << x << "," << y;
        }
      };
      for (; x + step < r[0] + r[2] - 1; x += step) rest();
      for (; y + step < r[1] + r[3] - 1; y += step) rest();
      if (const char* shots = ::getenv("SELVARA_SHOTS")) {  // for a person to look at
        test::waitFor([] { return false; }, std::chrono::milliseconds(300));  // let it paint
        const auto name = wxString::Format("%s/popup-glide-%g-%g-%d.png", shots, r[0], r[1], step);
        EXPECT_EQ(std::system(("import -window root '" + name.ToStdString() + "'").c_str()), 0);
      }
    }
  }
  moveTo(page[0] + 2, page[1] + 2);
  EXPECT_EQ(popupBox(), (Numbers{-1000, 10, 0, 0})) << "still open after leaving";
  EXPECT_EQ(placements, kBeside | kFlipped | kLifted) << "not every placement was tried";
}

INSTANTIATE_TEST_SUITE_P(Triggers, PopupPlacement, ::testing::Values(0, 1), [](const auto& param) {
  return param.param == 0 ? "MouseOver" : "MouseDown";
});

}  // namespace
}  // namespace selvara
