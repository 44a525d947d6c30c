// Loading the browser module on Linux, from where the program really is.
#include <unistd.h>
#include <wx/dynlib.h>
#include <wx/log.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/executable_info.h"
#include "platform/file_services.h"
#include "viewer/browser_module_wx.h"

namespace selvara {
namespace {

// A module's symbol comes as an untyped address; the module defines it with exactly this type.
template <typename Function>
Function moduleFunction(wxDynamicLibrary& library, const char* name) {
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): an address to a function
  return reinterpret_cast<Function>(library.GetSymbol(name));
}

std::string& browserModuleFile() {
  static std::string file;
  return file;
}

// Beside the program in the build tree, in the program's library folder once installed: both
// found from where the executable really is, never from the environment or the build folder.
std::vector<std::string> browserModulePlaces() {
  if (!browserModuleFile().empty()) return {browserModuleFile()};
  const std::string folder = currentExecutable().folder;
  return {folder + "/" SELVARA_BROWSER_MODULE,
          folder + "/../lib/" SELVARA_BROWSER_MODULE_DIR "/" SELVARA_BROWSER_MODULE};
}

}  // namespace

void setBrowserModuleFile(std::string path) { browserModuleFile() = std::move(path); }

const BrowserModule& browserModule() {
  static BrowserModule module;
  static wxDynamicLibrary library;
  if (module.newBrowser != nullptr) return module;
  std::string tried;
  for (const std::string& path : browserModulePlaces()) {
    tried += (tried.empty() ? "" : "\" or \"") + path;
    wxLogNull quiet;  // a candidate that is not there is no failure yet
    if (!library.Load(wxString::FromUTF8(path), wxDL_NOW | wxDL_QUIET)) continue;
    // Without its page-process extension the engine would open card pictures itself.
    const std::string extension = path.substr(0, path.rfind('/') + 1) + SELVARA_PICTURE_EXTENSION;
    if (::access(extension.c_str(), R_OK) != 0) {
      const int number = errno;
      library.Unload();
      throw FileError(number, "find the browser's extension", extension);
    }
    module.newBrowser = moduleFunction<NewBrowserFunction>(library, kNewBrowserName);
    module.endBrowser = moduleFunction<EndBrowserFunction>(library, kEndBrowserName);
    if (module.newBrowser != nullptr && module.endBrowser != nullptr) {
      // NOTE: the module stays loaded for the life of the process: the web engine keeps threads
      // of its own running after the last window is gone, and unloading its code under them at
      // exit crashes the program.
      (void)library.Detach();
      return module;
    }
    module = {};
    library.Unload();
  }
  throw FileError(ELIBACC, "load the browser module", tried);
}

}  // namespace selvara
