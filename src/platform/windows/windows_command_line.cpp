// The command line on Windows: one text, which the system hands over in UTF-16.
#include <cstdio>
#include <memory>
#include <span>

#include "platform/system_command_line.h"
#include "platform/windows/win32.h"

namespace selvara {

SystemCommandLine systemCommandLine(int /*argc*/, char** /*argv*/) {
  // A program of the windowing subsystem has no console of its own: started from one, it writes
  // its help, its version and its failures there, unless its output already goes somewhere.
  const bool noOutput = ::GetStdHandle(STD_OUTPUT_HANDLE) == nullptr;
  const bool noErrors = ::GetStdHandle(STD_ERROR_HANDLE) == nullptr;
  if ((noOutput || noErrors) && ::AttachConsole(ATTACH_PARENT_PROCESS) != FALSE) {
    if (noOutput) (void)std::freopen("CONOUT$", "w", stdout);
    if (noErrors) (void)std::freopen("CONOUT$", "w", stderr);
  }
  // main's arguments are in the system's 8-bit code page, which cannot hold every name.
  const wchar_t* text = ::GetCommandLineW();
  SystemCommandLine given{{}, win::narrow(text)};
  int count = 0;
  const std::unique_ptr<LPWSTR, HLOCAL(WINAPI*)(HLOCAL)> words(::CommandLineToArgvW(text, &count),
                                                               ::LocalFree);
  if (words) {
    const std::span<LPWSTR> all(words.get(), static_cast<std::size_t>(count));
    for (const wchar_t* word : all.subspan(all.empty() ? 0 : 1)) {
      given.arguments.push_back(win::narrow(word));
    }
  }
  return given;
}

std::string currentFolder() {
  const DWORD size = ::GetCurrentDirectoryW(0, nullptr);
  std::wstring folder(size, L'\0');
  const DWORD length = ::GetCurrentDirectoryW(size, folder.data());
  folder.resize(length < size ? length : 0);
  return win::narrow(folder);
}

}  // namespace selvara
