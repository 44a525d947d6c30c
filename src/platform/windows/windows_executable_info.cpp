// The running executable on Windows, from the system's own record of the module's file.
#include <cerrno>
#include <string>

#include "platform/executable_info.h"
#include "platform/file_services.h"
#include "platform/windows/win32.h"

namespace selvara {

VersionNumbers programVersion() {
  // The same numbers as the program's VERSIONINFO resource, from the same build definitions.
  return {SELVARA_VERSION_MAJOR, SELVARA_VERSION_MINOR, SELVARA_VERSION_REVISION};
}

ExecutableInfo currentExecutable() {
  std::wstring wide(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, wide.data(), static_cast<DWORD>(wide.size()));
    if (length == 0) {
      throw FileError(win::errorNumber(::GetLastError()), "find the program's own file", "");
    }
    if (length < wide.size()) {
      wide.resize(length);
      break;
    }
    wide.resize(wide.size() * 2);  // cut short: the buffer was too small
  }
  if (wide.starts_with(L"\\\\?\\")) wide.erase(0, 4);
  const std::string path = win::narrow(wide);
  ExecutableInfo info;
  const auto separator = path.rfind('\\');
  info.folder = path.substr(0, separator);
  // A drive's root keeps its backslash ("C:\"), as the folder of a program there reads.
  if (info.folder.size() == 2 && info.folder[1] == ':') info.folder += '\\';
  info.baseName = path.substr(separator + 1);
  if (const auto dot = info.baseName.rfind('.'); dot != std::string::npos && dot > 0) {
    info.baseName.resize(dot);
  }
  info.version = programVersion();
  return info;
}

}  // namespace selvara
