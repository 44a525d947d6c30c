// Xlib/XTest implementation of the display driver. X errors from windows that vanish while
// being inspected are expected (programs come and go), so they are swallowed, not fatal.
#include "x11_driver.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <stdexcept>
#include <thread>

namespace e2e {

namespace {

int ignoreXError(Display*, XErrorEvent*) { return 0; }

constexpr std::chrono::milliseconds kPollInterval{50};

template <typename Predicate>
bool pollUntil(std::chrono::milliseconds limit, Predicate predicate) {
  auto deadline = std::chrono::steady_clock::now() + limit;
  while (true) {
    if (predicate()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
}

}  // namespace

X11Driver::X11Driver() {
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) throw std::runtime_error("cannot open X display (is DISPLAY set?)");
  XSetErrorHandler(ignoreXError);
  int eventBase, errorBase, major, minor;
  if (!XTestQueryExtension(display_, &eventBase, &errorBase, &major, &minor))
    throw std::runtime_error("X server lacks the XTEST extension");
}

X11Driver::~X11Driver() {
  if (display_ != nullptr) XCloseDisplay(display_);
}

int X11Driver::screenWidth() const { return DisplayWidth(display_, DefaultScreen(display_)); }
int X11Driver::screenHeight() const { return DisplayHeight(display_, DefaultScreen(display_)); }

unsigned long X11Driver::atom(const char* name) { return XInternAtom(display_, name, False); }

std::optional<std::string> X11Driver::stringProperty(XWindowId window, const char* property,
                                                     const char* type) {
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  Atom wanted = std::string(type) == "STRING" ? XA_STRING : atom(type);
  int rc = XGetWindowProperty(display_, window, atom(property), 0, 4096, False, wanted, &actualType,
                              &format, &count, &remaining, &data);
  std::optional<std::string> result;
  if (rc == Success && data != nullptr && actualType == wanted && format == 8)
    result = std::string(reinterpret_cast<char*>(data), count);
  if (data != nullptr) XFree(data);
  return result;
}

std::string X11Driver::title(XWindowId window) {
  if (auto utf8 = stringProperty(window, "_NET_WM_NAME", "UTF8_STRING")) return *utf8;
  if (auto latin = stringProperty(window, "WM_NAME", "STRING")) return *latin;
  // Toolkits set WM_NAME as COMPOUND_TEXT for non-Latin-1 titles; plain ASCII reads the same.
  if (auto compound = stringProperty(window, "WM_NAME", "COMPOUND_TEXT")) return *compound;
  return {};
}

std::optional<pid_t> X11Driver::windowPid(XWindowId window) {
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  int rc = XGetWindowProperty(display_, window, atom("_NET_WM_PID"), 0, 1, False, XA_CARDINAL,
                              &actualType, &format, &count, &remaining, &data);
  std::optional<pid_t> result;
  if (rc == Success && data != nullptr && count == 1 && format == 32)
    result = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data));
  if (data != nullptr) XFree(data);
  return result;
}

void X11Driver::collectByTitle(XWindowId parent, const std::string& wanted,
                               std::optional<pid_t> pid, std::vector<XWindowId>& found) {
  Window rootReturn, parentReturn;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display_, parent, &rootReturn, &parentReturn, &children, &count)) return;
  std::vector<Window> list(children, children + count);
  if (children != nullptr) XFree(children);
  // Window-manager frames wrap the client windows, so the search goes down the whole tree.
  for (Window child : list) {
    if (title(child) == wanted && (!pid || windowPid(child) == pid)) found.push_back(child);
    collectByTitle(child, wanted, pid, found);
  }
}

std::vector<XWindowId> X11Driver::findWindows(const std::string& wanted, std::optional<pid_t> pid) {
  std::vector<XWindowId> found;
  XSync(display_, False);
  collectByTitle(DefaultRootWindow(display_), wanted, pid, found);
  return found;
}

std::optional<XWindowId> X11Driver::findMappedWindow(const std::string& wanted,
                                                     std::optional<pid_t> pid) {
  for (XWindowId window : findWindows(wanted, pid))
    if (isMapped(window)) return window;
  return std::nullopt;
}

std::optional<XWindowId> X11Driver::waitForMappedWindow(const std::string& wanted,
                                                        std::optional<pid_t> pid,
                                                        std::chrono::milliseconds limit) {
  std::optional<XWindowId> result;
  pollUntil(limit, [&] {
    result = findMappedWindow(wanted, pid);
    return result.has_value();
  });
  return result;
}

bool X11Driver::waitForWindowGone(const std::string& wanted, std::optional<pid_t> pid,
                                  std::chrono::milliseconds limit) {
  return pollUntil(limit, [&] { return !findMappedWindow(wanted, pid).has_value(); });
}

bool X11Driver::waitUntilUnmapped(XWindowId window, std::chrono::milliseconds limit) {
  return pollUntil(limit, [&] { return !isMapped(window); });
}

bool X11Driver::windowManagerRunning() {
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  int rc =
      XGetWindowProperty(display_, DefaultRootWindow(display_), atom("_NET_SUPPORTING_WM_CHECK"), 0,
                         1, False, XA_WINDOW, &actualType, &format, &count, &remaining, &data);
  bool running = rc == Success && data != nullptr && count == 1;
  if (data != nullptr) XFree(data);
  return running;
}

bool X11Driver::waitUntilSettled(XWindowId window, std::chrono::milliseconds limit) {
  bool needFrame = windowManagerRunning();
  std::optional<WindowGeometry> lastGeometry;
  std::optional<ScreenImage> lastShot;
  return pollUntil(limit, [&] {
    if (!isMapped(window)) return false;
    if (needFrame) {
      Window rootReturn, parent;
      Window* children = nullptr;
      unsigned int count = 0;
      if (!XQueryTree(display_, window, &rootReturn, &parent, &children, &count)) return false;
      if (children != nullptr) XFree(children);
      if (parent == rootReturn) return false;  // not reparented into a frame yet
    }
    WindowGeometry now = geometry(window);
    ScreenImage shot = grabWindow(window);
    bool steady = lastGeometry && lastGeometry->rootX == now.rootX &&
                  lastGeometry->rootY == now.rootY && lastGeometry->width == now.width &&
                  lastGeometry->height == now.height && lastShot && lastShot->sameAs(shot);
    lastGeometry = now;
    lastShot = std::move(shot);
    return steady;
  });
}

bool X11Driver::exists(XWindowId window) {
  XWindowAttributes attributes;
  return XGetWindowAttributes(display_, window, &attributes) != 0;
}

bool X11Driver::isMapped(XWindowId window) {
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display_, window, &attributes) == 0) return false;
  return attributes.map_state == IsViewable;
}

WindowGeometry X11Driver::geometry(XWindowId window) {
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display_, window, &attributes) == 0)
    throw std::runtime_error("window vanished");
  int x = 0, y = 0;
  Window child;
  XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
  return {x, y, attributes.width, attributes.height};
}

void X11Driver::movePointer(int rootX, int rootY) {
  XTestFakeMotionEvent(display_, -1, rootX, rootY, CurrentTime);
  XSync(display_, False);
}

void X11Driver::click(int rootX, int rootY, unsigned button) {
  movePointer(rootX, rootY);
  XTestFakeButtonEvent(display_, button, True, CurrentTime);
  XSync(display_, False);
  XTestFakeButtonEvent(display_, button, False, CurrentTime);
  XSync(display_, False);
}

void X11Driver::pressKey(const std::string& keysymName) {
  KeySym keysym = XStringToKeysym(keysymName.c_str());
  if (keysym == NoSymbol) throw std::invalid_argument("unknown key " + keysymName);
  KeyCode code = XKeysymToKeycode(display_, keysym);
  XTestFakeKeyEvent(display_, code, True, CurrentTime);
  XSync(display_, False);
  XTestFakeKeyEvent(display_, code, False, CurrentTime);
  XSync(display_, False);
}

std::pair<int, int> X11Driver::pointerPosition() {
  Window rootReturn, childReturn;
  int rootX = 0, rootY = 0, winX = 0, winY = 0;
  unsigned int mask = 0;
  XQueryPointer(display_, DefaultRootWindow(display_), &rootReturn, &childReturn, &rootX, &rootY,
                &winX, &winY, &mask);
  return {rootX, rootY};
}

void X11Driver::sendDeleteWindow(XWindowId window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = atom("WM_PROTOCOLS");
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(atom("WM_DELETE_WINDOW"));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, window, False, NoEventMask, &event);
  XSync(display_, False);
}

void X11Driver::resizeWindow(XWindowId window, int width, int height) {
  XResizeWindow(display_, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
  XSync(display_, False);
}

ScreenImage X11Driver::grabArea(const Rect& wanted) {
  // Clip to the screen: XGetImage fails outright on areas that stick out of the root window.
  int x0 = std::max(0, wanted.x), y0 = std::max(0, wanted.y);
  int x1 = std::min(screenWidth(), wanted.right()), y1 = std::min(screenHeight(), wanted.bottom());
  if (x1 <= x0 || y1 <= y0) throw std::runtime_error("area off screen: " + wanted.describe());
  int w = x1 - x0, h = y1 - y0;
  XImage* image = XGetImage(display_, DefaultRootWindow(display_), x0, y0, static_cast<unsigned>(w),
                            static_cast<unsigned>(h), AllPlanes, ZPixmap);
  if (image == nullptr) throw std::runtime_error("XGetImage failed for " + wanted.describe());
  auto channel = [](unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1UL) == 0) ++shift;
    unsigned long value = (pixel & mask) >> shift, max = mask >> shift;
    return static_cast<int>(value * 255 / max);
  };
  ScreenImage result(x0, y0, w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      unsigned long pixel = XGetPixel(image, x, y);
      result.set(x0 + x, y0 + y,
                 {channel(pixel, image->red_mask), channel(pixel, image->green_mask),
                  channel(pixel, image->blue_mask)});
    }
  XDestroyImage(image);
  return result;
}

ScreenImage X11Driver::grabRoot() { return grabArea({0, 0, screenWidth(), screenHeight()}); }

ScreenImage X11Driver::grabWindow(XWindowId window) { return grabArea(geometry(window).rect()); }

}  // namespace e2e
