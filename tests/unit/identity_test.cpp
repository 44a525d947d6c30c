// The program's identity and its version text.
#include <gtest/gtest.h>

#include "platform/executable_info.h"
#include "startup/app_info.h"
#include "startup/web_window.h"

namespace selvara {
namespace {

struct VersionCase {
  int revision;
  const char* mark;
  const char* expected;
};

TEST(VersionTextTest, RevisionIsTenthsInShortestForm) {
  const VersionCase cases[] = {
      {0, ".", "1.0.0"},   {1, ".", "1.0.0.1"},  {10, ".", "1.0.1"}, {25, ".", "1.0.2.5"},
      {1, ",", "1.0.0,1"}, {25, ",", "1.0.2,5"}, {10, ",", "1.0.1"}, {123, ".", "1.0.12.3"},
  };
  for (const VersionCase& c : cases) {
    EXPECT_EQ(versionText({1, 0, c.revision}, c.mark), c.expected)
        << "revision " << c.revision << " mark " << c.mark;
  }
}

TEST(GetAppInfoTest, FolderAlwaysEndsInOneSeparator) {
  const struct {
    const char* folder;
    const char* expected;
  } cases[] = {{"/opt/viewer", "/opt/viewer/"}, {"/", "/"}, {"/opt/viewer/", "/opt/viewer/"}};
  for (const auto& c : cases) {
    RunState state;
    GetAppInfo(state, {"selvara-card-viewer", "/usr/bin", {1, 0, 1}}, c.folder, ".");
    EXPECT_EQ(state.MyPath, c.expected);
    EXPECT_EQ(state.MyName, "selvara-card-viewer");
    EXPECT_EQ(state.Version, "1.0.0.1");
  }
}

TEST(ExecutableInfoTest, DescribesTheRunningTestProgram) {
  const ExecutableInfo info = currentExecutable();
  EXPECT_EQ(info.baseName, "unit_tests");
  ASSERT_FALSE(info.folder.empty());
  EXPECT_EQ(info.folder.front(), '/');
  EXPECT_NE(info.folder.back(), '/');
  EXPECT_EQ(info.version.major, 1);
  EXPECT_EQ(info.version.minor, 0);
  EXPECT_EQ(info.version.revision, 1);
}

}  // namespace
}  // namespace selvara
