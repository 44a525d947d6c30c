// The program's identity and version text.
#include "startup/app_info.h"

#include <array>
#include <charconv>
#include <memory>

#include "platform/paths.h"

namespace selvara {

std::string versionText(const VersionNumbers& version, const std::string& decimalMark) {
  std::array<char, 64> buffer{};
  const double tenth = version.revision / 10.0;
  const auto result =
      std::to_chars(std::to_address(buffer.begin()), std::to_address(buffer.end()), tenth);
  std::string revision(buffer.data(), result.ptr);
  if (const auto point = revision.find('.'); point != std::string::npos) {
    revision.replace(point, 1, decimalMark);
  }
  return std::to_string(version.major) + "." + std::to_string(version.minor) + "." + revision;
}

void GetAppInfo(RunState& state, const ExecutableInfo& exe, const std::string& pageFolder,
                const std::string& decimalMark) {
  state.MyName = exe.baseName;
  state.MyPath = pageFolder;
  state.Version = versionText(exe.version, decimalMark);
  if (state.MyPath.empty() || state.MyPath.back() != kPathSeparator) {
    state.MyPath += kPathSeparator;
  }
}

}  // namespace selvara
