// The program's identity: its name, the folder for its pages and its version text.
#pragma once

#include <string>

#include "platform/executable_info.h"
#include "startup/web_window.h"

namespace selvara {

// "major.minor." followed by revision / 10 in its shortest form, with `decimalMark` in place of
// the point: revision 1 gives "1.0.0.1", 0 gives "1.0.0", 25 gives "1.0.2.5", 10 gives "1.0.1".
std::string versionText(const VersionNumbers& version, const std::string& decimalMark);

// Sets MyName, MyPath (the run's page folder, always ending in the separator) and Version.
void GetAppInfo(RunState& state, const ExecutableInfo& exe, const std::string& pageFolder,
                const std::string& decimalMark);

}  // namespace selvara
