// The template, the page writer and the card scan on card sets built on the real file system.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "fakes.h"
#include "gallery/card_scan.h"
#include "gallery/display_settings.h"
#include "gallery/markup_escape.h"
#include "gallery/page_template.h"
#include "gallery/page_writer.h"
#include "startup/web_window.h"
#include "temp_folder.h"

namespace selvara {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempFolder;
using test::writeFile;

std::string templateBytes() { return readFile(SELVARA_TEMPLATE_FILE); }

TEST(TemplateTest, WrittenFileHoldsExactlyTheResource) {
  TempFolder folder;
  const fs::path file = folder.path() / "blank.html";
  // A longer file this run wrote earlier must not show through.
  writeFile(folder.path() / "long", std::string(20000, 'x'));
  copyFile((folder.path() / "long").string(), file.string());
  EXPECT_EQ(SaveResourceToFile(101, "CUSTOM", file.string()), 0);
  EXPECT_EQ(readFile(file), templateBytes());
}

TEST(TemplateTest, TemplateHasTheShapeThePageRelies) {
  const std::string bytes = templateBytes();
  EXPECT_EQ(bytes.rfind("<html>\r\n<head>\r\n", 0), 0u);
  EXPECT_NE(bytes.find("charset=utf-8"), std::string::npos);
  const std::string tail =
      "<img src='blank.gif' id='pop' width='0' height='0' "
      "style='position:absolute;top:10px;left:-1000px;z-index:10;'>\r\n<Div ID=pics z-index=1>";
  ASSERT_GE(bytes.size(), tail.size());
  EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail);
  // Every line ends in CR LF: no bare line feed anywhere.
  for (std::size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1)) {
    ASSERT_GT(i, 0u);
    ASSERT_EQ(bytes[i - 1], '\r') << "at byte " << i;
  }
}

TEST(TemplateTest, FailuresGiveAnErrorNumber) {
  TempFolder folder;
  fs::create_directory(folder.path() / "blank.html");
  EXPECT_NE(SaveResourceToFile(101, "CUSTOM", (folder.path() / "blank.html").string()), 0);
  EXPECT_NE(SaveResourceToFile(101, "CUSTOM", (folder.path() / "none" / "b.html").string()), 0);
  EXPECT_EQ(SaveResourceToFile(102, "CUSTOM", (folder.path() / "x.html").string()),
            kResourceNotFound);
  EXPECT_EQ(SaveResourceToFile(101, "OTHER", (folder.path() / "x.html").string()),
            kResourceNotFound);
  EXPECT_FALSE(fs::exists(folder.path() / "x.html"));
}

TEST(CardPatternTest, MatchesFiveCharacterNamesOfThePass) {
  const struct {
    const char* name;
    char letter;
    bool match;
  } cases[] = {
      {"a0001", 'a', true},   {"A0001", 'a', true},   {"a0001", 'A', true}, {"b0001", 'a', false},
      {"a00001", 'a', false}, {"a.jpg", 'a', true},   {"a", 'a', true},     {"a12", 'a', true},
      {"a.1", 'a', false},    {"d0001", 'd', true},   {"", 'a', false},     {"æ0001", 'a', false},
      {"aæøå1", 'a', true},   {"aæøå12", 'a', false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(matchesCardPattern(c.name, c.letter), c.match) << c.name << " " << c.letter;
  }
}

class CardSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    data = folder.path() / "My Set" / "data";
    fs::create_directories(data);
    state.MyPath = folder.withSeparator();
    state.QuoteChar = "\"";
    state.ThumbIndex = 2;
    state.PopupIndex = 1;
    state.PopupActionIndex = 1;
    resolveDisplaySettings(state, state);
    state.DataPath = data.string() + "/";
    state.SettingsText = "<heading>";
    ASSERT_EQ(SaveResourceToFile(101, "CUSTOM", state.MyPath + "blank.html"), 0);
  }
  void card(const std::string& name) { fs::create_directory(data / name); }
  std::string block(const std::string& name) const {
    const std::string image = state.DataPath + name + "/" + name + "c.jpg";
    return "\r\n<img src='" + image + "' alt='" + name + "' onMouseDown='popup(\"" + image +
           "\",172,252)' onMouseOut='popout(this)' width='43' height='63'>\r\n\r\n";
  }
  std::string page(const std::string& blocks) const {
    return templateBytes() + "<heading>\r\n<table border=2 width='100%'><tr><td>\r\n" + blocks +
           "\r\n</td></tr></table></div></body></html>\r\n";
  }
  std::string writePage() {
    Command1_Click(state, viewer, pump);
    return readFile(folder.path() / "test.html");
  }

  TempFolder folder;
  fs::path data;
  RunState state;
  test::FakeViewer viewer;
  test::FakePump pump;
};

TEST_F(CardSetTest, PageIsTemplateHeadingTableBlocksAndClosing) {
  for (const char* name : {"b0001", "c0001", "a0002", "A0001", "c0000"}) card(name);
  const std::string expected =
      page(block("A0001") + block("a0002") + block("c0000") + block("c0001") + block("b0001"));
  EXPECT_EQ(writePage(), expected);
  ASSERT_EQ(viewer.navigated.size(), 1u);
  EXPECT_EQ(viewer.navigated[0], state.MyPath + "test.html");
}

TEST_F(CardSetTest, DecoysGiveNoBlock) {
  card("a0001");
  writeFile(data / "a0002", "a plain file");  // a file, not a folder
  card("d0001");                              // another letter
  card("a00001");                             // six characters
  card(".a001");                              // hidden
  fs::create_directory(data / "a0003");
  writeFile(data / "a0003" / "a0003c.jpg", "");  // a real card still counts
  EXPECT_EQ(writePage(), page(block("a0001") + block("a0003")));
}

TEST_F(CardSetTest, EmptyAndMissingDataFoldersGiveAnEmptyTable) {
  EXPECT_EQ(writePage(), page(""));
  fs::remove_all(data);
  EXPECT_EQ(writePage(), page(""));
  writeFile(data, "not a folder");
  EXPECT_EQ(writePage(), page(""));
}

TEST_F(CardSetTest, WritingTwiceReplacesThePage) {
  card("a0001");
  const std::string first = writePage();
  EXPECT_EQ(writePage(), first);
}

TEST_F(CardSetTest, SymbolicLinksToFoldersAreCards) {
  card("a0001");
  fs::create_directory_symlink(data / "a0001", data / "a0002");
  fs::create_symlink(data / "c0009", data / "c0009");  // points at itself
  const std::string written = writePage();
  EXPECT_NE(written.find(block("a0002")), std::string::npos);
  // An entry whose kind cannot be asked is written as a card, once.
  const auto first = written.find("alt='c0009'");
  ASSERT_NE(first, std::string::npos);
  EXPECT_EQ(written.find("alt='c0009'", first + 1), std::string::npos);
}

TEST_F(CardSetTest, SpecialNamesAreEscaped) {
  card("a'&<>");
  card("c\"#%?");
  const std::string written = writePage();
  EXPECT_NE(written.find("<img src='" + state.DataPath +
                         "a%27%26%3C%3E/a%27%26%3C%3Ec.jpg' "
                         "alt='a&#39;&amp;&lt;&gt;' onMouseDown='popup(\"" +
                         state.DataPath + "a%27%26%3C%3E/a%27%26%3C%3Ec.jpg\",172,252)'"),
            std::string::npos)
      << written;
  EXPECT_NE(written.find("alt='c&quot;#%?'"), std::string::npos);
  EXPECT_NE(written.find("c%22%23%25%3F/c%22%23%25%3Fc.jpg"), std::string::npos);
}

// The alt texts of the page's blocks, in the order written.
std::vector<std::string> altTexts(const std::string& page) {
  std::vector<std::string> alts;
  for (auto at = page.find(" alt='"); at != std::string::npos; at = page.find(" alt='", at + 1)) {
    alts.push_back(page.substr(at + 6, page.find('\'', at + 6) - at - 6));
  }
  return alts;
}

// Every picture the page's blocks name, as the file path its URL stands for.
std::vector<std::string> picturePaths(const std::string& written) {
  const std::string page = written.substr(templateBytes().size());
  std::vector<std::string> paths;
  for (auto at = page.find("<img src='"); at != std::string::npos;
       at = page.find("<img src='", at + 1)) {
    const auto start = at + 10;
    paths.push_back(picturePath(page.substr(start, page.find('\'', start) - start)));
  }
  return paths;
}

TEST_F(CardSetTest, HostileEntriesNeitherStopNorRepeatTheScan) {
  card("a0001");  // no picture inside
  card("a0002");
  fs::permissions(data / "a0002", fs::perms::none);
  fs::create_symlink(data / "c0002", data / "c0001");  // a loop of two links
  fs::create_symlink(data / "c0001", data / "c0002");
  fs::create_directory_symlink(data, data / "c0003");  // back to the data folder itself
  fs::create_directory_symlink(".", data / "b0001");
  fs::create_symlink(data / "none", data / "b0002");  // dangling
  const std::string written = writePage();
  fs::permissions(data / "a0002", fs::perms::owner_all);
  EXPECT_EQ(altTexts(written), (std::vector<std::string>{"a0001", "a0002", "c0001", "c0002",
                                                         "c0003", "b0001", "b0002"}));
  EXPECT_EQ(written.substr(written.size() - 42), "\r\n</td></tr></table></div></body></html>\r\n");
}

TEST_F(CardSetTest, PicturesResolveToTheirFilesWhateverTheBytesOrLength) {
  const std::vector<std::string> names = {"a\xff\xfe\x80z", "a\xc3\xa9\xc3\xa9", "c #?%", "c\"'<&",
                                          "b\t\x01\x7f"
                                          "b"};
  for (const std::string& name : names) {
    card(name);
    writeFile(data / name / (name + "c.jpg"), "picture");
  }
  std::vector<std::string> pictures = picturePaths(writePage());
  ASSERT_EQ(pictures.size(), names.size());
  for (const std::string& path : pictures) EXPECT_TRUE(fs::is_regular_file(path)) << path;

  // A set folder nested until the picture paths come within a few bytes of the system's limit.
  fs::path deep = folder.path();
  while (deep.string().size() < 4000)
    deep /= std::string(std::min<std::size_t>(200, 4000 - deep.string().size() + 1), 'd');
  fs::create_directories(deep / "data" / "a0001");
  writeFile(deep / "data" / "a0001" / "a0001c.jpg", "picture");
  state.DataPath = (deep / "data").string() + "/";
  ASSERT_GT(state.DataPath.size() + 16, 4000u);
  pictures = picturePaths(writePage());
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_TRUE(fs::is_regular_file(pictures[0])) << pictures[0].size();
}

TEST_F(CardSetTest, CardsComePassByPassInNameOrderWithTheirKinds) {
  for (const char* name :
       {"b_zzz", "a0002", "A0002", "c0001", "a_001", "B0000", "aZ001", "az000"}) {
    card(name);
  }
  writeFile(data / "c0002", "");
  fs::create_directory_symlink(data / "c0001", data / "c0003");
  fs::create_symlink(data / "nowhere", data / "a0009");
  std::vector<std::string> names;
  std::vector<EntryKind> kinds;
  for (const FolderEntry& entry : listCards(state.DataPath, [] {})) {
    names.push_back(entry.name);
    kinds.push_back(entry.kind);
  }
  // Upper-cased bytes: '_' (0x5F) sorts after the letters and digits; case ties by raw bytes.
  EXPECT_EQ(names, (std::vector<std::string>{"A0002", "a0002", "a0009", "az000", "aZ001", "a_001",
                                             "c0001", "c0002", "c0003", "B0000", "b_zzz"}));
  EXPECT_EQ(kinds[2], EntryKind::Unknown);
  EXPECT_EQ(kinds[7], EntryKind::NotFolder);
  EXPECT_EQ(kinds[8], EntryKind::Folder);
}

TEST_F(CardSetTest, MissingTemplateIsAClearFailure) {
  fs::remove(folder.path() / "blank.html");
  try {
    Command1_Click(state, viewer, pump);
    FAIL() << "no failure reported";
  } catch (const FileError& error) {
    EXPECT_EQ(error.path(), state.MyPath + "blank.html");
    EXPECT_EQ(error.number(), ENOENT);
  }
  EXPECT_TRUE(viewer.navigated.empty());
}

TEST_F(CardSetTest, PageInPlaceOfAFolderIsAClearFailure) {
  fs::create_directory(folder.path() / "test.html");
  try {
    Command1_Click(state, viewer, pump);
    FAIL() << "no failure reported";
  } catch (const FileError& error) {
    EXPECT_EQ(error.path(), state.MyPath + "test.html");
  }
  EXPECT_TRUE(fs::is_directory(folder.path() / "test.html"));
}

}  // namespace
}  // namespace selvara
