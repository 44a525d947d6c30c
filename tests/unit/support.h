// Small stand-ins for the toolkit that record what the program asked of them, and a temporary
// folder on the real file system.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "platform/toolkit.h"

namespace selvara::test {

// The viewer window, its quit timer included.
struct FakeViewer : Viewer, Timer {
  void setCaption(const std::string& text) override { caption = text; }
  void setCardSet(const std::string& /*setName*/) override {}
  void navigate(const std::string& path) override { navigated.push_back(path); }
  Timer& quitTimer() override { return *this; }
  void setEnabled(bool on) override { timerEnabled = on; }
  void unload() override { ++unloads; }
  std::string caption = "(untouched)";
  std::vector<std::string> navigated;
  bool timerEnabled = false;
  int unloads = 0;
};

struct FakePump : EventPump {
  void pumpPending() override {}
  void waitForEvents() override {}
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
  TempFolder() {
    std::string name = (std::filesystem::temp_directory_path() / "selvara-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr) throw std::runtime_error("mkdtemp " + name);
    path = name;
  }
  ~TempFolder() { std::filesystem::remove_all(path, ignored); }
  std::filesystem::path path;
  std::error_code ignored;
};

inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

inline void writeFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

}  // namespace selvara::test
