// Small stand-ins for the toolkit, recording what the program asked of it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/toolkit.h"

namespace selvara::test {

class FakeTimer : public Timer {
 public:
  void setEnabled(bool on) override { enabled = on; }
  bool enabled = false;
};

class FakeViewer : public Viewer {
 public:
  void setCaption(const std::string& text) override { caption = text; }
  void navigate(const std::string& path) override { navigated.push_back(path); }
  Timer& quitTimer() override { return timer; }
  void unload() override { ++unloads; }
  std::string caption = "Selvara Card Collection View";
  std::vector<std::string> navigated;
  FakeTimer timer;
  int unloads = 0;
};

class FakePump : public EventPump {
 public:
  void pumpPending() override {
    ++pumps;
    if (onPump) onPump();
  }
  void waitForEvents() override {
    ++waits;
    if (onWait) onWait();
  }
  int pumps = 0;
  int waits = 0;
  std::function<void()> onPump;
  std::function<void()> onWait;
};

// A dialog that hides itself after a number of waits, as its timer or close button would.
class FakeDialog : public OptionsDialog {
 public:
  void showModeless() override {
    visible = true;
    ++shows;
  }
  bool isVisible() const override { return visible; }
  void hide() override { visible = false; }
  void unload() override {
    visible = false;
    unloaded = true;
  }
  bool visible = false;
  bool unloaded = false;
  int shows = 0;
};

}  // namespace selvara::test
