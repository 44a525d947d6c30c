// What both ports' file services share: the failure they report, and writing the lines of a file
// that the port's own call has opened for appending.
#include "platform/file_services.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace selvara {

FileError::FileError(int number, const std::string& action, const std::string& path)
    : std::runtime_error("Could not " + action + " \"" + path + "\": " + std::strerror(number)),
      m_number(number),
      m_description(std::strerror(number)),
      m_action(action),
      m_path(path) {}

TextFile::~TextFile() {
  // Reached without close() only while a failure is already on its way to the user; a second
  // failure from closing would add nothing to that report.
  if (m_file != nullptr) (void)std::fclose(m_file);
}

bool TextFile::writeLine(const std::string& text) noexcept {
  if (m_file == nullptr) {
    if (m_firstError == 0) m_firstError = EBADF;
    return false;
  }
  errno = 0;  // a write that fails without saying why is reported as EIO, not with an older error
  const bool ok = std::fwrite(text.data(), 1, text.size(), m_file) == text.size() &&
                  std::fwrite("\r\n", 1, 2, m_file) == 2;
  if (!ok && m_firstError == 0) m_firstError = errno != 0 ? errno : EIO;
  return ok;
}

void TextFile::close() {
  if (m_file == nullptr) return;
  const int result = std::fclose(m_file);
  const int closeError = errno;
  m_file = nullptr;
  if (m_firstError != 0) throw FileError(m_firstError, "write", m_path);
  if (result != 0) throw FileError(closeError, "write", m_path);
}

}  // namespace selvara
