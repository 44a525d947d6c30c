// The toolkit services the program's rules call, as narrow interfaces. The wxWidgets layer
// implements them for real; unit tests implement them with small fakes.
#pragma once

#include <string>

namespace selvara {

class EventPump {
 public:
  virtual ~EventPump() = default;
  // Runs the window events that are pending now, then returns.
  virtual void pumpPending() = 0;
  // Blocks in the toolkit's event loop until something the caller waits for may have changed
  // (for the options dialog: it was hidden or destroyed), then returns.
  virtual void waitForEvents() = 0;
};

class OptionsDialog {
 public:
  virtual ~OptionsDialog() = default;
  virtual void showModeless() = 0;
  virtual bool isVisible() const = 0;
  virtual void hide() = 0;
  // Closes the dialog for good; asking for visibility afterwards reports not visible.
  virtual void unload() = 0;
};

// An option group: buttons addressed by index, at most one selected.
class OptionGroup {
 public:
  virtual ~OptionGroup() = default;
  virtual void setEnabled(int index, bool enabled) = 0;
  virtual bool isSelected(int index) const = 0;
  // Selects the button and raises the group's click handler with its index.
  virtual void select(int index) = 0;
};

class Timer {
 public:
  virtual ~Timer() = default;
  virtual void setEnabled(bool enabled) = 0;
};

// The viewer window as start-up, the page writer and shutdown use it.
class Viewer {
 public:
  virtual ~Viewer() = default;
  virtual void setCaption(const std::string& caption) = 0;
  // The card set the page shows, as valid UTF-8: the viewer names it when it cannot show it.
  virtual void setCardSet(const std::string& setName) = 0;
  // Shows the local file `path` in the browser.
  virtual void navigate(const std::string& path) = 0;
  virtual Timer& quitTimer() = 0;
  // Destroys the window; the program ends once both windows are gone.
  virtual void unload() = 0;
};

}  // namespace selvara
