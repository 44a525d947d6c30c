// One run of the program under test inside a Sandbox: starting it, working its option dialog,
// finding its viewer window and reading the pages it writes. Failures throw with the
// program's own output attached, which GoogleTest reports as a failed test.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "card_set.h"
#include "process.h"
#include "x11_driver.h"

namespace e2e {

inline const std::string kDialogTitle = "Option Settings";
inline const std::string kBlankViewerTitle = "Selvara Card Collection View";
std::string viewerTitle(const std::string& setName);

// Dialog client size in pixels and its radio buttons, as laid out at 96 dpi.
inline constexpr int kDialogClientWidth = 409;
inline constexpr int kDialogClientHeight = 246;

struct RadioButton {
  std::string_view id;
  std::string_view label;
  Rect rect;  // dialog client pixels
};
const std::vector<RadioButton>& radioButtons();
const RadioButton& radioButton(std::string_view id);

inline constexpr std::chrono::seconds kExitLimit{30};

class ViewerRun {
 public:
  ViewerRun(Sandbox& sandbox, const std::vector<std::string>& args);

  X11Driver& display() { return display_; }
  ChildProcess& process() { return *process_; }
  Sandbox& sandbox() { return sandbox_; }

  XWindowId waitForDialog(std::chrono::milliseconds limit = kWindowWaitLimit);
  // Clicks a radio button and waits until the dialog draws it chosen.
  void clickRadio(XWindowId dialog, std::string_view id);
  bool radioShownSelected(XWindowId dialog, std::string_view id);
  // Closes the dialog as the window manager's close button would.
  void closeDialog(XWindowId dialog);
  XWindowId waitForViewer(const std::string& title,
                          std::chrono::milliseconds limit = kWindowWaitLimit);
  // Closes the viewer and waits for the program to end; throws when it does not.
  ExitStatus closeViewerAndWait(XWindowId viewer);
  ExitStatus waitForExit(std::chrono::milliseconds limit = kExitLimit);

  std::filesystem::path pagePath() const { return sandbox_.binDir() / "test.html"; }
  std::filesystem::path blankPath() const { return sandbox_.binDir() / "blank.html"; }
  std::string page() const { return readFile(pagePath()); }
  std::string blankPage() const { return readFile(blankPath()); }

  // Runs the usual path: dialog appears, `radios` are clicked in order, dialog closed, viewer
  // for `setName` appears.
  XWindowId openWithOptions(const std::string& setName, const std::vector<std::string>& radios);

  [[noreturn]] void fail(const std::string& what);

 private:
  Sandbox& sandbox_;
  X11Driver display_;
  std::unique_ptr<ChildProcess> process_;
};

// The pieces of a written gallery page, checked for the fixed framing on the way.
struct CardBlock {
  std::string src;
  std::string alt;
  std::string event;  // "onMouseDown" or "onMouseOver"
  std::string url;
  int popupWidth = 0;
  int popupHeight = 0;
  int thumbWidth = 0;
  int thumbHeight = 0;
};

struct ParsedPage {
  std::string heading;  // from "<center>" to "<br><br>" inclusive
  std::vector<CardBlock> cards;
};

// Throws std::runtime_error naming the first place where `page` departs, by as much as one
// byte, from the layout "template, heading, table opening, card blocks, closing".
ParsedPage parsePage(const std::string& page, const std::string& templateBytes);

std::string percentDecode(const std::string& text);

// "Suite.Test" of the running GoogleTest test, usable as a file name.
std::string currentTestName();

}  // namespace e2e
