// Small stand-ins for the toolkit that record what the program asked of them, a temporary folder
// on the real file system, and a run of start-up on such a folder with those stand-ins.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "gallery/page_writer.h"
#include "platform/executable_info.h"
#include "platform/paths.h"
#include "platform/toolkit.h"
#include "startup/command_line.h"
#include "startup/startup.h"

namespace selvara::test {

// The viewer window, its quit timer included, and the event loop it runs in.
struct FakeViewer : Viewer, Timer, EventPump {
  void setCaption(const std::string& text) override { caption = text; }
  void setCardSet(const std::string& /*setName*/) override {}
  void navigate(const std::string& path) override { navigated.push_back(path); }
  Timer& quitTimer() override { return *this; }
  void setEnabled(bool on) override { timerEnabled = on; }
  void unload() override { ++unloads; }
  void pumpPending() override {}
  void waitForEvents() override {}
  std::string caption = "(untouched)";
  std::vector<std::string> navigated;
  bool timerEnabled = false;
  int unloads = 0;
};

// An options dialog that the user closes as soon as it shows.
struct FakeDialog : OptionsDialog {
  void showModeless() override {}
  bool isVisible() const override { return false; }
  void hide() override {}
  void unload() override { unloaded = true; }
  bool unloaded = false;
};

struct TempFolder {
  TempFolder()
      : path(std::filesystem::temp_directory_path() /
             ("selvara-" + std::to_string(std::random_device()()))) {
    if (!std::filesystem::create_directory(path))
      throw std::runtime_error("taken: " + path.string());
  }
  ~TempFolder() { std::filesystem::remove_all(path, ignored); }
  std::filesystem::path path;
  std::error_code ignored;
};

inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

// The page the writer makes with the options the dialog opens with, for the set `setName` whose
// data folder is `dataPath`: one block for each of `cards` in the order given (names that need no
// escaping), each picture's path as it is and its popup's URL with "/" separators.
inline std::string expectedPage(const std::string& dataPath, const std::string& setName,
                                const std::vector<std::string>& cards) {
  std::string blocks;
  for (const std::string& name : cards) {
    const std::string image = dataPath + name + kPathSeparator + name + "c.jpg";
    std::string url = image;
    std::ranges::replace(url, kPathSeparator, '/');
    blocks += "\r\n<img src='" + image + "' alt='" + name + "' onMouseDown='popup(\"" + url +
              "\",172,252)' onMouseOut='popout(this)' width='43' height='63'>\r\n\r\n";
  }
  return readFile(SELVARA_TEMPLATE_FILE) + "<center><font size='3' color='yellow'> Cards " +
         setName +
         "  Thumbs 43 x 63  PopUp 172 x 252  On Mouse Down  </font></center><br><br>\r\n" +
         "<table border=2 width='100%'><tr><td>\r\n" + blocks +
         "\r\n</td></tr></table></div></body></html>\r\n";
}

// Start-up as the program runs it, with its pages in `program`; `sets` holds the card sets, such
// as `set` with its cards in `data`.
class ProgramRun : public ::testing::Test {
 protected:
  void run(const std::vector<std::string>& arguments) {
    const std::string pages = program.path.string();
    StartupContext context{
        dialog, viewer, viewer, currentExecutable(), pages, ".", commandLineText(arguments)};
    Form_Load(state, context);
  }
  // Writes the page again, as start-up wrote it, and reads it.
  std::string writePage() {
    Command1_Click(state, viewer, viewer);
    return readFile(program.path / "test.html");
  }

  TempFolder program, sets;
  const std::string set = (sets.path / "My Set").string();
  const std::filesystem::path data = set + "/data";
  RunState state;
  FakeDialog dialog;
  FakeViewer viewer;
};

}  // namespace selvara::test
