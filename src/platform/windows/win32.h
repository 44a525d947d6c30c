// What the Windows back ends share: the system's headers, UTF-8 to and from UTF-16 at their
// edge, a handle owned by one object, and the system's error codes as the program's numbers.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
// <windows.h> comes before the headers that build on it.
// clang-format off
#include <windows.h>
#include <aclapi.h>
#include <dwmapi.h>
#include <sddl.h>
#include <shellapi.h>
// clang-format on

#include <string>
#include <string_view>

namespace selvara::win {

// UTF-8 to UTF-16 and back; a sequence that is not valid becomes U+FFFD.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);

// `path` as the file calls take it: absolute, with the "\\?\" prefix that lifts the length
// limit, so that a name is looked up exactly as it is given.
std::wstring filePath(const std::string& path);

// The C library's error number (as the rest of the program reports failures) for a Windows error
// code; EIO for one without a counterpart.
int errorNumber(DWORD error);

// A handle closed when its owner goes.
class Handle {
 public:
  Handle() = default;
  explicit Handle(HANDLE handle) : m_handle(handle) {}
  ~Handle() { reset(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  Handle(Handle&& other) noexcept : m_handle(other.release()) {}
  Handle& operator=(Handle&& other) noexcept {
    if (this != &other) {
      reset();
      m_handle = other.release();
    }
    return *this;
  }
  bool valid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
  HANDLE get() const { return m_handle; }
  HANDLE release() {
    const HANDLE handle = m_handle;
    m_handle = INVALID_HANDLE_VALUE;
    return handle;
  }
  void reset() {
    if (valid()) ::CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE m_handle = INVALID_HANDLE_VALUE;
};

// Opens `path` itself, never what a link or junction there leads to: with `access` and
// `share`, `disposition` as CreateFileW takes them.
Handle openNoFollow(const std::wstring& path, DWORD access, DWORD share, DWORD disposition,
                    DWORD flags = 0);

// Marks the open file or empty folder for deletion when its last handle closes; the Windows
// error code, or 0.
DWORD deleteOnClose(HANDLE handle);

}  // namespace selvara::win
