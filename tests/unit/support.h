// Small stand-ins for the toolkit that record what the program asked of them, and a temporary
// folder on the real file system.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "platform/toolkit.h"

namespace selvara::test {

struct FakeTimer : Timer {
  void setEnabled(bool on) override { enabled = on; }
  bool enabled = false;
};

struct FakeViewer : Viewer {
  void setCaption(const std::string& text) override { caption = text; }
  void setCardSet(const std::string& /*setName*/) override {}
  void navigate(const std::string& path) override { navigated.push_back(path); }
  Timer& quitTimer() override { return timer; }
  void unload() override { ++unloads; }
  std::string caption = "(untouched)";
  std::vector<std::string> navigated;
  FakeTimer timer;
  int unloads = 0;
};

struct FakePump : EventPump {
  void pumpPending() override {}
  void waitForEvents() override { onWait(); }
  std::function<void()> onWait = [] {};
};

struct FakeDialog : OptionsDialog {
  void showModeless() override { visible = true; }
  bool isVisible() const override { return visible; }
  void hide() override { visible = false; }
  void unload() override { visible = false, unloaded = true; }
  bool visible = false, unloaded = false;
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
  std::ostringstream content;
  content << std::ifstream(path, std::ios::binary).rdbuf();
  return content.str();
}

inline void writeFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

}  // namespace selvara::test
