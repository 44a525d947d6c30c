// The run's page folder, files written never through a link, the command line's checks, and
// picture addresses and names for paths of any shape.
#include "platform/page_folder.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <utility>

#include "gallery/markup_escape.h"
#include "platform/file_services.h"
#include "startup/program_options.h"
#include "startup/startup.h"
#include "support.h"

// Another run that starts at the same moment: its sweep runs just after mkdtemp has made a folder
// for this run, before this run has locked it.
static std::string g_sweepAfterMaking, g_sweptFolder;  // the place to sweep once; what went

extern "C" char* mkdtemp(char* pattern) noexcept {
  static auto* const made = reinterpret_cast<char* (*)(char*)>(::dlsym(RTLD_NEXT, "mkdtemp"));
  char* folder = made(pattern);
  if (folder != nullptr && !g_sweepAfterMaking.empty()) {
    g_sweptFolder = folder;
    selvara::sweepPageFolders(std::exchange(g_sweepAfterMaking, {}), {});
  }
  return folder;
}

namespace selvara {
namespace {

namespace fs = std::filesystem;
const std::vector<std::string> kPages = {"blank.html", "test.html"};

TEST(PageFolderTest, PrivateFolderInTheFirstPlaceThatTakesItMadeAgainIfSweptGoneWhenEmpty) {
  test::TempFolder base;
  EXPECT_EQ(pageFolderPlaces(nullptr, "tmp"), std::vector<std::string>{"/tmp"});
  g_sweepAfterMaking = base.path.string();
  PageFolder folder({"/dev/null", base.path.string()}, kPages);
  EXPECT_FALSE(g_sweptFolder.empty() || fs::exists(g_sweptFolder));
  EXPECT_EQ(fs::path(folder.path()).parent_path().parent_path(), base.path);
  EXPECT_EQ(fs::status(folder.path()).permissions(), fs::perms::owner_all);
  folder.remove();
  EXPECT_FALSE(fs::exists(folder.path()));
  EXPECT_THROW(PageFolder({"/dev/null", "/dev/null/x"}, kPages), PageFolderError);
}

TEST(PageFolderTest, SweepRemovesOnlyEndedRunsFoldersAndOnlyTheirPages) {
  test::TempFolder base;
  const PageFolder live({base.path.string()}, kPages);
  const auto ours = [&](const fs::path& folder, fs::perms mode) {
    fs::create_directory(folder);
    for (const auto& page : kPages) test::writeFile(folder / page, "old");
    fs::permissions(folder, mode);
    return folder;
  };
  const fs::path name = base.path / "selvara-card-viewer-";
  const fs::path ended = ours(name.string() + "AAAAAA", fs::perms::owner_all);
  const fs::path kept = ours(name.string() + "BBBBBB", fs::perms::owner_all);
  test::writeFile(kept / "notes.txt", "");  // someone's folder after all: left whole
  const fs::path others[] = {kept, ours(live.path(), fs::perms::owner_all),
                             ours(name.string() + "CCCCCC", fs::perms::all),
                             ours(name.string() + "DDDDDDD", fs::perms::owner_all)};
  fs::create_directory_symlink(others[3], name.string() + "EEEEEE");
  sweepPageFolders(base.path.string(), kPages);
  EXPECT_FALSE(fs::exists(ended));
  for (const auto& folder : others) EXPECT_TRUE(fs::exists(folder / "test.html")) << folder;
}

TEST(MadeFilesTest, NeverWrittenOrDeletedThroughALinkOrInAnotherFilesPlace) {
  test::TempFolder folder;
  const fs::path target = folder.path / "users.txt";
  const std::string link = (folder.path / "blank.html").string();
  const std::string page = (folder.path / "test.html").string();
  test::writeFile(target, "the user's");
  fs::create_symlink(target, link);
  EXPECT_THROW(writeBytes(link, {}), FileError);
  writeBytes(page, {});
  writeBytes(page, {});  // a file of this run is replaced
  fs::rename(page, page + ".moved");
  test::writeFile(page, "put there since");
  for (const auto& path : {link, target.string(), page, page + ".moved"})
    EXPECT_EQ(deleteFile(path), EPERM) << path;
  EXPECT_EQ(test::readFile(target), "the user's");
}

TEST(ProgramOptionsTest, OptionsFoldersAndRefusals) {
  using enum EarlyAction;
  // The arguments, what they ask for, and the refusal or else the folder.
  const std::tuple<std::vector<std::string>, EarlyAction, std::string> cases[] = {
      {{"--", "-x"}, Run, "-x"},
      {{"--choose-folder", "/a"}, Run, "/a"},  // a folder given: nothing to ask
      {{"/a", "--help"}, PrintHelp, "/a"},
      {{"--version", "/b"}, PrintVersion, "/b"},
      {{"--help", "--frobnicate", "/a"}, Refuse, "unknown option '--frobnicate'"},
      {{"a", "--", "b", "--c"}, Refuse, "one card set folder at a time; not used: 'b' '--c'"},
  };
  for (const auto& [arguments, action, text] : cases) {
    const ProgramOptions options = readProgramOptions(arguments);
    EXPECT_EQ(options.action, action) << text;
    EXPECT_EQ(action == Refuse ? options.refusal : options.folders.at(0), text);
    EXPECT_FALSE(options.askForFolder) << text;
  }
  EXPECT_TRUE(readProgramOptions({"--choose-folder"}).askForFolder);
  // A chosen data folder stands for its set, unless it is a set named data itself.
  test::TempFolder base;
  fs::create_directories(base.path / "a/data");
  fs::create_directories(base.path / "b/data/data");
  const std::pair<const char*, const char*> choices[] = {{"a/data", "a"}, {"b/data", "b/data"}};
  for (const auto& [chosen, set] : choices)
    EXPECT_EQ(cardSetOfChoice((base.path / chosen).string()), (base.path / set).string());
}

// Names from an 8-bit archive show with their odd letters marked, in the caption as in the page.
TEST(NameTextTest, BytesThatAreNotUtf8ShowAsReplacementCharacters) {
  EXPECT_EQ(toValidUtf8("\351é\xED\xA0\x80\xF4\x90"), "\uFFFDé\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(viewerCaption("\351", "1"), "SET - \uFFFD - Selvara Card Viewer - Version 1");
}

}  // namespace
}  // namespace selvara
