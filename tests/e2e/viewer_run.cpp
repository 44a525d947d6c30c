// Implementation of the program-run helpers and of the page reader.
#include "viewer_run.h"

#include <gtest/gtest.h>

#include <cctype>
#include <regex>
#include <stdexcept>
#include <thread>

namespace e2e {

std::string viewerTitle(const std::string& setName) {
  return "SET - " + setName + " - Selvara Card Viewer - Version 1.0.0.1";
}

const std::vector<RadioButton>& radioButtons() {
  static const std::vector<RadioButton> buttons = {
      {"oThumb0", "Tiny 11 x 16", {18, 28, 87, 21}},
      {"oThumb1", "Small 22 x 32", {18, 52, 87, 21}},
      {"oThumb2", "Medium 43 x 63   25%", {108, 28, 133, 21}},
      {"oThumb3", "Large 86  x 126   50%", {108, 52, 133, 21}},
      {"oThumb4", "Full Size 172 x 252  100%", {244, 28, 141, 21}},
      {"oPopup0", "Half Size   86  x 126  50%", {18, 116, 155, 21}},
      {"oPopup1", "Full Size  172  x 252  100%", {18, 136, 149, 21}},
      {"oPopup2", "One and a Half  258  x 378  150%", {174, 116, 205, 21}},
      {"oPopup3", "Double Size  344  x 504  200%", {174, 136, 179, 21}},
      {"oPopaction0", "PopUp On Mouse Over", {20, 202, 155, 21}},
      {"oPopaction1", "PopUp On Left Mouse Click", {178, 200, 155, 21}},
  };
  return buttons;
}

const RadioButton& radioButton(std::string_view id) {
  for (const RadioButton& button : radioButtons())
    if (button.id == id) return button;
  throw std::invalid_argument("no radio button " + std::string(id));
}

ViewerRun::ViewerRun(Sandbox& sandbox, const std::vector<std::string>& args)
    : sandbox_(sandbox),
      process_(std::make_unique<ChildProcess>(sandbox.binary(), args, sandbox.workDir(),
                                              sandbox.logFile())) {}

void ViewerRun::fail(const std::string& what) {
  sandbox_.keep();
  throw std::runtime_error(what + "\n(files kept in " + sandbox_.root().string() +
                           ")\nprogram output:\n" + process_->log());
}

XWindowId ViewerRun::waitForDialog(std::chrono::milliseconds limit) {
  auto dialog = display_.waitForMappedWindow(kDialogTitle, process_->pid(), limit);
  if (!dialog) fail("no mapped '" + kDialogTitle + "' window appeared");
  if (!display_.waitUntilSettled(*dialog)) fail("the dialog never settled on screen");
  return *dialog;
}

bool ViewerRun::radioShownSelected(XWindowId dialog, std::string_view id) {
  const RadioButton& button = radioButton(id);
  WindowGeometry where = display_.geometry(dialog);
  ScreenImage shot = display_.grabWindow(dialog);
  // A chosen radio button has its round indicator filled; an empty one shows the dialog's
  // background in the middle, like the corner of the button's rectangle.
  Rgb centre = shot.at(where.rootX + button.rect.x + 12,
                       where.rootY + button.rect.y + button.rect.height / 2);
  Rgb background = shot.at(where.rootX + button.rect.x + 1, where.rootY + button.rect.y + 1);
  return !centre.near(background, 60);
}

void ViewerRun::clickRadio(XWindowId dialog, std::string_view id) {
  const RadioButton& button = radioButton(id);
  WindowGeometry where = display_.geometry(dialog);
  // The indicator sits at the left end of the button; clicking there hits it whatever the
  // label's rendered width.
  display_.click(where.rootX + button.rect.x + 8,
                 where.rootY + button.rect.y + button.rect.height / 2);
  // A person sees the choice take effect before going on; so does the test.
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!radioShownSelected(dialog, id)) {
    if (std::chrono::steady_clock::now() >= deadline)
      fail("radio button " + std::string(id) + " not shown chosen after clicking it");
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  }
}

void ViewerRun::closeDialog(XWindowId dialog) { display_.sendDeleteWindow(dialog); }

XWindowId ViewerRun::waitForViewer(const std::string& title, std::chrono::milliseconds limit) {
  auto viewer = display_.waitForMappedWindow(title, process_->pid(), limit);
  if (!viewer) fail("no mapped viewer window titled '" + title + "' appeared");
  if (!display_.waitUntilSettled(*viewer)) fail("the viewer never settled on screen");
  return *viewer;
}

ExitStatus ViewerRun::waitForExit(std::chrono::milliseconds limit) {
  auto status = process_->waitForExit(limit);
  if (!status) fail("the program did not exit");
  return *status;
}

ExitStatus ViewerRun::closeViewerAndWait(XWindowId viewer) {
  display_.sendDeleteWindow(viewer);
  return waitForExit();
}

XWindowId ViewerRun::openWithOptions(const std::string& setName,
                                     const std::vector<std::string>& radios) {
  XWindowId dialog = waitForDialog();
  for (const std::string& id : radios) clickRadio(dialog, id);
  // What the dialog showed when it was closed, for judging a failure afterwards.
  display_.grabWindow(dialog).savePng(currentTestName() + "-dialog");
  closeDialog(dialog);
  return waitForViewer(viewerTitle(setName));
}

namespace {

[[noreturn]] void pageError(const std::string& what, const std::string& page, std::size_t at) {
  std::string excerpt = page.substr(at, 160);
  for (char& c : excerpt)
    if (c == '\r') c = '~';
  throw std::runtime_error("page layout: " + what + " at byte " + std::to_string(at) +
                           ", text there ('~' = CR): \"" + excerpt + "\"");
}

}  // namespace

ParsedPage parsePage(const std::string& page, const std::string& templateBytes) {
  if (templateBytes.empty()) throw std::runtime_error("page layout: template is empty");
  if (page.compare(0, templateBytes.size(), templateBytes) != 0)
    pageError("does not start with the template's bytes", page, 0);
  ParsedPage parsed;
  std::size_t at = templateBytes.size();

  std::size_t headingEnd = page.find("<br><br>", at);
  if (page.compare(at, 8, "<center>") != 0 || headingEnd == std::string::npos)
    pageError("no heading right after the template", page, at);
  parsed.heading = page.substr(at, headingEnd + 8 - at);
  at = headingEnd + 8;

  const std::string tableOpen = "\r\n<table border=2 width='100%'><tr><td>\r\n";
  if (page.compare(at, tableOpen.size(), tableOpen) != 0)
    pageError("no table opening after the heading", page, at);
  at += tableOpen.size();

  // Each block is one written line: its own text begins and ends with a line break and the
  // line write adds one more, so a block is followed by exactly two CR LFs.
  static const std::regex block(
      "\r\n<img src='([^']*)' alt='([^']*)' (onMouseDown|onMouseOver)="
      "'popup\\(\"([^\"]*)\",(\\d+),(\\d+)\\)' onMouseOut='popout\\(this\\)' "
      "width='(\\d+)' height='(\\d+)'>\r\n\r\n");
  while (page.compare(at, 7, "\r\n<img ") == 0) {
    std::smatch match;
    auto begin = page.begin() + static_cast<std::ptrdiff_t>(at);
    if (!std::regex_search(begin, page.end(), match, block, std::regex_constants::match_continuous))
      pageError("malformed card block", page, at);
    parsed.cards.push_back({match[1], match[2], match[3], match[4], std::stoi(match[5]),
                            std::stoi(match[6]), std::stoi(match[7]), std::stoi(match[8])});
    at += static_cast<std::size_t>(match.length(0));
  }

  const std::string closing = "\r\n</td></tr></table></div></body></html>\r\n";
  if (page.compare(at, std::string::npos, closing) != 0)
    pageError("the page does not end with the table's closing right after the cards", page, at);
  return parsed;
}

std::string percentDecode(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() &&
        std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string currentTestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  if (info == nullptr) return "outside-test";
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name)
    if (c == '/') c = '_';
  return name;
}

}  // namespace e2e
