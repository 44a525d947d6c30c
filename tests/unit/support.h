// Small stand-ins for the toolkit that record what the program asked of them, a temporary folder
// on the real file system, and a run of start-up on such a folder with those stand-ins.
#pragma once

#include <gtest/gtest.h>

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
