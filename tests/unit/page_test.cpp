// The pages and their folder: the template written out, the page writer with its card scan on
// card sets built on the real file system whatever the names hold, the run's private page folder
// and its sweep, and files never written or deleted through a link.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "gallery/markup_escape.h"
#include "platform/file_services.h"
#include "platform/page_folder.h"
#include "platform/paths.h"
#include "support.h"

#ifndef _WIN32
#include <dlfcn.h>

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
#endif

namespace selvara {
namespace {

namespace fs = std::filesystem;

const std::string kTemplate = test::readFile(SELVARA_TEMPLATE_FILE);
const std::vector<std::string> kPages = {"blank.html", "test.html"};
// On Windows paths have backslashes, and links are for administrators only (and Wine makes none).
constexpr bool kWindows = kPathSeparator == '\\';

using PageTest = test::ProgramRun;

// Links that lead nowhere, in a loop or back to the data folder neither stop nor repeat the scan.
TEST_F(PageTest, PageIsTemplateHeadingTableBlocksInPassOrderAndClosing) {
  for (const char* card :
       {"b0001", "c0001", "a0002", "A0001", "a", "b12", "d0001", "a00001", ".a001", "a.1"})
    fs::create_directories(data / card);
  std::ofstream(data / "a0003") << "a plain file";
  if (!kWindows) {
    fs::create_directory_symlink(data / "c0001", data / "c0002");
    fs::create_symlink(data / "c0004", data / "c0003");  // a loop of two links
    fs::create_symlink(data / "c0003", data / "c0004");
    fs::create_directory_symlink(data, data / "c0005");
  }
  run({set});
  std::vector<std::string> cards = {"a", "A0001", "a0002", "c0001", "b0001", "b12"};
  if (!kWindows) cards.insert(cards.begin() + 4, {"c0002", "c0003", "c0004", "c0005"});
  // Written twice: the second replaces the first.
  EXPECT_EQ(writePage(), test::expectedPage(state.DataPath, "My Set", cards));
  EXPECT_EQ(viewer.navigated, std::vector<std::string>(2, state.MyPath + "test.html"));
  EXPECT_TRUE(kTemplate.ends_with("pointer-events:none;'>\r\n<Div ID=pics z-index=1>"));
  // Every line of the template ends in CR LF.
  EXPECT_EQ(std::ranges::count(kTemplate, '\n'), std::ranges::count(kTemplate, '\r'));
  fs::remove_all(data);
  EXPECT_EQ(writePage(), test::expectedPage(state.DataPath, "My Set", {}));
  state.DataPath = std::string(4096, 'x') + "/data/";  // past the path limit: cannot be listed
  EXPECT_THROW(writePage(), FileError);                // and is not taken for an empty set
}

// Whatever bytes a name holds, every element keeps its shape with the name shown as text, and its
// URL decodes to its picture's path.
TEST_F(PageTest, EveryUrlLeadsToItsPictureAndNoNameBreaksOut) {
  std::vector<std::string> names = {"c\xc3\xa9\xc3\xa9\xe6\x97\xa5\xf0\x9f\x82\xa1"};
  // Every byte a name can hold; "%41" stays itself. Windows names hold only letters (here ASCII,
  // and case is not told apart), not control bytes nor <>:"\|?*.
  for (int byte = 1; byte < 256; ++byte)
    if (byte != '/' && (!kWindows || (byte > 31 && byte < 'a' && !strchr("<>:\"\\|?*", byte))))
      names.push_back(std::string("b") + static_cast<char>(byte) + "41z");
  for (const std::string& n : names)
    fs::create_directories(data / std::u8string(n.begin(), n.end()));
  run({set});
  std::multiset<std::string> pictures, expected;
  for (const std::string& n : names)
    expected.insert(state.DataPath + n + kPathSeparator + n + "c.jpg");
  // Attribute values run from one single quote to the next, as a browser reads them; a URL holds
  // printable ASCII only, on Windows the names' letters too.
  const std::string written = test::readFile(program.path / "test.html");
  const std::regex element("<img src='(" + std::string(kWindows ? "[^'<>\"]" : "[ -~]") +
                           "*)' alt='[^'<>\"]*' onMouseDown='popup\\(\"([^']*)\",172,252\\)' ");
  for (std::sregex_iterator at(written.begin(), written.end(), element), end; at != end; ++at) {
    std::string url = (*at)[1], popup = url;
    std::ranges::replace(popup, '\\', '/');
    EXPECT_EQ((*at)[2], popup);
    if (kWindows) {  // the path as it is, what would break the markup as references
      pictures.insert(std::regex_replace(std::regex_replace(url, std::regex("&#39;"), "'"),
                                         std::regex("&amp;"), "&"));
    } else {
      EXPECT_EQ(url.find_first_of("'\"<>&#?\\"), std::string::npos) << url;
      pictures.insert(picturePath(url));
    }
  }
  EXPECT_EQ(pictures, expected);
  // Bytes that are not UTF-8 show as replacement characters, in the page as in the caption.
  EXPECT_EQ(toValidUtf8("\351é\xED\xA0\x80\xF4\x90"), "\uFFFDé\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
}

// The run's folder is made again when another run's sweep takes it before it is locked (on
// Windows, held: nobody can remove it); a sweep removes only the folders of ended runs that hold
// nothing but the pages.
TEST(PageFolderTest, PrivateFolderInTheFirstPlaceThatTakesItMadeAgainIfSweptSweepTakesOnlyOurs) {
  test::TempFolder base;
  const std::string none = kWindows ? (base.path / "none").string() : "/dev/null";
  EXPECT_THROW(PageFolder({none, none + kPathSeparator + "x"}, kPages), PageFolderError);
#ifdef _WIN32
  EXPECT_EQ(fs::path(userPageFolderPlaces().at(0)) / "", fs::temp_directory_path());
  const PageFolder live({none, base.path.string()}, kPages);
  std::error_code held;
  EXPECT_FALSE(fs::remove(live.path(), held));
#else
  EXPECT_EQ(pageFolderPlaces(nullptr, "tmp"), std::vector<std::string>{"/tmp"});
  g_sweepAfterMaking = base.path.string();
  const PageFolder live({none, base.path.string()}, kPages);
  EXPECT_FALSE(g_sweptFolder.empty() || fs::exists(g_sweptFolder));
  EXPECT_EQ(fs::status(live.path()).permissions(), fs::perms::owner_all);
#endif
  EXPECT_EQ(fs::path(live.path()).parent_path().parent_path(), base.path);
  const std::string name = (base.path / "selvara-card-viewer-").string();
  const auto ours = [&](const std::string& folder, fs::perms mode = fs::perms::owner_all,
                        const std::vector<std::string>& files = kPages) {
    fs::create_directory(folder);
    for (const auto& file : files) std::ofstream(fs::path(folder) / file) << "old";
    fs::permissions(folder, mode);
    return fs::path(folder);
  };
  // On Windows a folder's openness is its access list, which the sweep leaves to the owner.
  const fs::path ended = ours(name + "AAAAAA"), open = ours(name + "CCCCCC", fs::perms::all);
  // Left alone: someone's folder after all, this run's, one misnamed, a link (Wine makes none).
  const fs::path others[] = {
      ours(name + "BBBBBB", fs::perms::owner_all, {"blank.html", "test.html", "notes"}),
      ours(live.path()), ours(name + "DDDDDDD")};
  if (!kWindows) fs::create_directory_symlink(others[2], name + "EEEEEE");
  sweepPageFolders(base.path.string(), kPages);
  EXPECT_FALSE(fs::exists(ended));
  EXPECT_EQ(fs::exists(open / "test.html"), !kWindows);
  for (const auto& folder : others) EXPECT_TRUE(fs::exists(folder / "test.html")) << folder;
}

TEST_F(PageTest, FilesAreNeverWrittenOrDeletedThroughALinkOrInAnotherFilesPlace) {
  const fs::path target = sets.path / "users.txt";
  const std::string link = (sets.path / "link").string();
  const std::string page = (sets.path / "page").string();
  std::ofstream(target) << "the user's";
  kWindows ? void(std::ofstream(link) << "someone else's") : fs::create_symlink(target, link);
  EXPECT_THROW(writeBytes(link, {}), FileError);
  writeBytes(page, {});
  fs::rename(page, page + ".moved");
  std::ofstream(page) << "put there since";
  for (const auto& path : {link, target.string(), page, page + ".moved"})
    EXPECT_EQ(deleteFile(path), EPERM) << path;
  EXPECT_EQ(test::readFile(target), "the user's");
}

}  // namespace
}  // namespace selvara
