// Drives the X display the way a person and a window manager would: finds top-level windows
// by title, moves and clicks the pointer through XTest, sends WM_DELETE_WINDOW, grabs pixels.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "screen_image.h"

using XDisplayHandle = struct _XDisplay;

namespace e2e {

using XWindowId = unsigned long;

inline constexpr std::chrono::seconds kWindowWaitLimit{30};

struct WindowGeometry {
  int rootX = 0;  // client-area origin in root coordinates
  int rootY = 0;
  int width = 0;
  int height = 0;
  Rect rect() const { return {rootX, rootY, width, height}; }
};

class X11Driver {
 public:
  // Opens $DISPLAY; throws when there is none, since no test here can do without one.
  X11Driver();
  ~X11Driver();
  X11Driver(const X11Driver&) = delete;
  X11Driver& operator=(const X11Driver&) = delete;

  int screenWidth() const;
  int screenHeight() const;

  // Every window carrying exactly `title` (UTF-8 _NET_WM_NAME, else WM_NAME), optionally only
  // those whose _NET_WM_PID is `pid`. Mapped or not.
  std::vector<XWindowId> findWindows(const std::string& title, std::optional<pid_t> pid = {});
  // The one such window that is mapped (viewable), if any.
  std::optional<XWindowId> findMappedWindow(const std::string& title,
                                            std::optional<pid_t> pid = {});

  // Bounded polls; nothing / false when the limit passes first.
  std::optional<XWindowId> waitForMappedWindow(const std::string& title, std::optional<pid_t> pid,
                                               std::chrono::milliseconds limit = kWindowWaitLimit);
  bool waitForWindowGone(const std::string& title, std::optional<pid_t> pid,
                         std::chrono::milliseconds limit = kWindowWaitLimit);
  bool waitUntilUnmapped(XWindowId window, std::chrono::milliseconds limit = kWindowWaitLimit);
  // Polls until `window` is ready for input as a person would see it: mapped, framed by the
  // window manager when one runs, and neither moving nor redrawing between two polls.
  bool waitUntilSettled(XWindowId window, std::chrono::milliseconds limit = kWindowWaitLimit);
  bool windowManagerRunning();

  bool exists(XWindowId window);
  bool isMapped(XWindowId window);
  std::string title(XWindowId window);
  std::optional<pid_t> windowPid(XWindowId window);
  WindowGeometry geometry(XWindowId window);

  // Pointer and keyboard through XTest, in root coordinates.
  void movePointer(int rootX, int rootY);
  void click(int rootX, int rootY, unsigned button = 1);
  void pressKey(const std::string& keysymName);
  std::pair<int, int> pointerPosition();

  // What a window manager's close button sends: ClientMessage WM_PROTOCOLS/WM_DELETE_WINDOW.
  void sendDeleteWindow(XWindowId window);
  // Asks for a new client-area size the way a user's drag would end up.
  void resizeWindow(XWindowId window, int width, int height);

  // What is on screen, as the user sees it (overlapping windows included).
  ScreenImage grabRoot();
  ScreenImage grabArea(const Rect& rootRect);
  ScreenImage grabWindow(XWindowId window);

 private:
  unsigned long atom(const char* name);
  std::optional<std::string> stringProperty(XWindowId window, const char* property,
                                            const char* type);
  void collectByTitle(XWindowId parent, const std::string& title, std::optional<pid_t> pid,
                      std::vector<XWindowId>& found);

  XDisplayHandle* display_ = nullptr;
};

}  // namespace e2e
