// The pages and their folder: the template written out, the page writer with its card scan on
// card sets built on the real file system whatever the names hold, the run's private page folder
// and its sweep, and files never written or deleted through a link.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "gallery/display_settings.h"
#include "gallery/markup_escape.h"
#include "gallery/page_template.h"
#include "gallery/page_writer.h"
#include "platform/file_services.h"
#include "platform/page_folder.h"
#include "platform/paths.h"
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

const std::string kTemplate = test::readFile(SELVARA_TEMPLATE_FILE);
const std::vector<std::string> kPages = {"blank.html", "test.html"};

class PageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(data);
    state.MyPath = folder.path.string() + "/";
    state.QuoteChar = "\"";
    resolveDisplaySettings(OptionSelections{2, 1, 1}, state);
    state.DataPath = data.string() + "/";
    state.SettingsText = "<heading>";
    // A longer template this run wrote earlier must not show through in the page.
    test::writeFile(folder.path / "long", std::string(20000, 'x'));
    copyFile((folder.path / "long").string(), state.MyPath + "blank.html");
    ASSERT_EQ(SaveResourceToFile(101, "CUSTOM", state.MyPath + "blank.html"), 0);
  }
  void cards(const std::vector<std::string>& names) {
    for (const std::string& name : names) fs::create_directory(data / name);
  }
  std::string block(const std::string& name) const {
    const std::string image = state.DataPath + name + "/" + name + "c.jpg";
    return "\r\n<img src='" + image + "' alt='" + name + "' onMouseDown='popup(\"" + image +
           "\",172,252)' onMouseOut='popout(this)' width='43' height='63'>\r\n\r\n";
  }
  std::string page(const std::string& blocks) const {
    return kTemplate + "<heading>\r\n<table border=2 width='100%'><tr><td>\r\n" + blocks +
           "\r\n</td></tr></table></div></body></html>\r\n";
  }
  std::string writePage() {
    Command1_Click(state, viewer, pump);
    return test::readFile(folder.path / "test.html");
  }

  test::TempFolder folder;
  fs::path data = folder.path / "My Set" / "data";
  GalleryState state;
  test::FakeViewer viewer;
  test::FakePump pump;
};

// Links that lead nowhere, in a loop or back to the data folder neither stop nor repeat the scan.
TEST_F(PageTest, PageIsTemplateHeadingTableBlocksInPassOrderAndClosing) {
  cards({"b0001", "c0001", "a0002", "A0001", "a", "b12", "d0001", "a00001", ".a001", "a.1"});
  test::writeFile(data / "a0003", "a plain file");
  fs::create_directory_symlink(data / "c0001", data / "c0002");
  fs::create_symlink(data / "c0004", data / "c0003");  // a loop of two links
  fs::create_symlink(data / "c0003", data / "c0004");
  fs::create_directory_symlink(data, data / "c0005");
  const std::string expected =
      page(block("a") + block("A0001") + block("a0002") + block("c0001") + block("c0002") +
           block("c0003") + block("c0004") + block("c0005") + block("b0001") + block("b12"));
  writePage();  // written twice: the second replaces the first
  EXPECT_EQ(writePage(), expected);
  EXPECT_EQ(viewer.navigated, std::vector<std::string>(2, state.MyPath + "test.html"));
  EXPECT_TRUE(kTemplate.ends_with("pointer-events:none;'>\r\n<Div ID=pics z-index=1>"));
  // Every line of the template ends in CR LF.
  EXPECT_EQ(std::ranges::count(kTemplate, '\n'), std::ranges::count(kTemplate, '\r'));
  fs::remove_all(data);
  EXPECT_EQ(writePage(), page(""));
  state.DataPath = std::string(4096, 'x') + "/data/";  // past the path limit: cannot be listed
  EXPECT_THROW(writePage(), FileError);                // and is not taken for an empty set
}

// Whatever bytes a name holds, every element keeps its shape with the name shown as text, and its
// URL decodes to its picture's path.
TEST_F(PageTest, EveryUrlLeadsToItsPictureAndNoNameBreaksOut) {
  std::vector<std::string> names = {"c\xc3\xa9\xc3\xa9"};
  for (int byte = 1; byte < 256; ++byte)  // every byte a name can hold; "%41" stays itself
    if (byte != '/') names.push_back(std::string("b") + static_cast<char>(byte) + "41z");
  cards(names);
  std::multiset<std::string> pictures, expected;
  for (const std::string& n : names) expected.insert(state.DataPath + n + "/" + n + "c.jpg");
  // Attribute values run from one single quote to the next, as a browser reads them; a URL holds
  // printable ASCII only.
  const std::string written = writePage();
  const std::regex element(
      "<img src='([ -~]*)' alt='[^'<>\"]*' onMouseDown='popup\\(\"([^']*)\",172,252\\)' ");
  for (std::sregex_iterator at(written.begin(), written.end(), element), end; at != end; ++at) {
    const std::string url = (*at)[1];
    EXPECT_EQ((*at)[2], url);
    EXPECT_EQ(url.find_first_of("'\"<>&#?\\"), std::string::npos) << url;
    pictures.insert(picturePath(url));
  }
  EXPECT_EQ(pictures, expected);
  // Bytes that are not UTF-8 show as replacement characters, in the page as in the caption.
  EXPECT_EQ(toValidUtf8("\351é\xED\xA0\x80\xF4\x90"), "\uFFFDé\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
}

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
  const std::string name = (base.path / "selvara-card-viewer-").string();
  const auto ours = [&](const std::string& folder, fs::perms mode = fs::perms::owner_all,
                        const std::vector<std::string>& files = kPages) {
    fs::create_directory(folder);
    for (const auto& file : files) test::writeFile(fs::path(folder) / file, "old");
    fs::permissions(folder, mode);
    return fs::path(folder);
  };
  const fs::path ended = ours(name + "AAAAAA");
  // Left alone: someone's folder after all, this run's, one open to all, one misnamed.
  const fs::path others[] = {
      ours(name + "BBBBBB", fs::perms::owner_all, {"blank.html", "test.html", "notes"}),
      ours(live.path()), ours(name + "CCCCCC", fs::perms::all), ours(name + "DDDDDDD")};
  fs::create_directory_symlink(others[3], name + "EEEEEE");
  sweepPageFolders(base.path.string(), kPages);
  EXPECT_FALSE(fs::exists(ended));
  for (const auto& folder : others) EXPECT_TRUE(fs::exists(folder / "test.html")) << folder;
}

TEST_F(PageTest, FilesAreNeverWrittenOrDeletedThroughALinkOrInAnotherFilesPlace) {
  const fs::path target = folder.path / "users.txt";
  const std::string link = (folder.path / "link").string();
  const std::string page = (folder.path / "page").string();
  test::writeFile(target, "the user's");
  fs::create_symlink(target, link);
  EXPECT_THROW(writeBytes(link, {}), FileError);
  writeBytes(page, {});
  fs::rename(page, page + ".moved");
  test::writeFile(page, "put there since");
  for (const auto& path : {link, target.string(), page, page + ".moved"})
    EXPECT_EQ(deleteFile(path), EPERM) << path;
  EXPECT_EQ(test::readFile(target), "the user's");
}

}  // namespace
}  // namespace selvara
