// The page: the template written out, and the page writer with its card scan on card sets built
// on the real file system, whatever the names hold.
#include <gtest/gtest.h>

#include <algorithm>

#include "gallery/display_settings.h"
#include "gallery/markup_escape.h"
#include "gallery/page_template.h"
#include "gallery/page_writer.h"
#include "platform/file_services.h"
#include "platform/paths.h"
#include "support.h"

namespace selvara {
namespace {

namespace fs = std::filesystem;

const std::string kTemplate = test::readFile(SELVARA_TEMPLATE_FILE);

TEST(TemplateTest, WrittenFileHoldsExactlyTheResource) {
  test::TempFolder folder;
  const fs::path file = folder.path / "blank.html";
  // A longer file this run wrote there earlier must not show through.
  test::writeFile(folder.path / "long", std::string(20000, 'x'));
  copyFile((folder.path / "long").string(), file.string());
  EXPECT_EQ(SaveResourceToFile(101, "CUSTOM", file.string()), 0);
  EXPECT_EQ(test::readFile(file), kTemplate);
  EXPECT_TRUE(kTemplate.ends_with(
      "<img src='blank.gif' id='pop' width='0' height='0' style='position:absolute;top:10px;"
      "left:-1000px;z-index:10;pointer-events:none;'>\r\n<Div ID=pics z-index=1>"));
  EXPECT_EQ(std::count(kTemplate.begin(), kTemplate.end(), '\n'),
            std::count(kTemplate.begin(), kTemplate.end(), '\r'));  // every line ends in CR LF
}

class PageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(data);
    state.MyPath = folder.path.string() + "/";
    state.QuoteChar = "\"";
    resolveDisplaySettings(OptionSelections{2, 1, 1}, state);
    state.DataPath = data.string() + "/";
    state.SettingsText = "<heading>";
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
  // Each block's attribute values, read as a browser reads them: from one single quote to the next.
  std::vector<std::vector<std::string>> blocks() {
    const std::string written = writePage();
    std::vector<std::vector<std::string>> found;
    for (auto at = written.find("<img ", kTemplate.size()); at != std::string::npos;
         at = written.find("<img ", at + 1)) {
      found.emplace_back();
      for (auto q = written.find('\'', at); q < written.find('>', at);
           q = written.find('\'', q + 1)) {
        const auto end = written.find('\'', q + 1);
        if (end == std::string::npos) break;
        found.back().push_back(written.substr(q + 1, end - q - 1));
        q = end;
      }
    }
    return found;
  }

  test::TempFolder folder;
  fs::path data = folder.path / "My Set" / "data";
  GalleryState state;
  test::FakeViewer viewer;
  test::FakePump pump;
};

TEST_F(PageTest, PageIsTemplateHeadingTableBlocksInPassOrderAndClosing) {
  cards(
      {"b0001", "c0001", "a0002", "A0001", "c0000", "a", "b12", "d0001", "a00001", ".a001", "a.1"});
  test::writeFile(data / "a0003", "a plain file");
  fs::create_directory_symlink(data / "c0001", data / "c0002");
  const std::string expected =
      page(block("a") + block("A0001") + block("a0002") + block("c0000") + block("c0001") +
           block("c0002") + block("b0001") + block("b12"));
  writePage();  // written twice: the second replaces the first
  EXPECT_EQ(writePage(), expected);
  EXPECT_EQ(viewer.navigated, std::vector<std::string>(2, state.MyPath + "test.html"));
  fs::remove_all(data);
  EXPECT_EQ(writePage(), page(""));
  state.DataPath = std::string(4096, 'x') + "/data/";  // past the path limit: cannot be listed
  EXPECT_THROW(writePage(), FileError);                // and is not taken for an empty set
}

// Whatever bytes a name holds, every URL written decodes to its picture's path, and the element
// keeps its six attributes with the name shown as text.
TEST_F(PageTest, EveryUrlLeadsToItsPictureAndNoNameBreaksOut) {
  const std::vector<std::string> names = {"a'&<>", "c\"#%?", "b\t\x01\x7f", "a\xff\xfe\x80z",
                                          "c%41;", "b' x=",  "a\\\\\"'",    "c\xc3\xa9\xc3\xa9"};
  cards(names);
  std::vector<std::string> pictures, expected;
  for (const auto& values : blocks()) {
    ASSERT_EQ(values.size(), 6u);
    pictures.push_back(picturePath(values[0]));
    EXPECT_EQ(values[1].find_first_of("<>\"'"), std::string::npos) << values[1];
    EXPECT_EQ(values[2] + values[3], "popup(\"" + values[0] + "\",172,252)popout(this)");
  }
  for (const std::string& n : names) expected.push_back(state.DataPath + n + "/" + n + "c.jpg");
  std::sort(pictures.begin(), pictures.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(pictures, expected);
  std::string all = "/", address;  // and the address alone, for a path of every byte
  for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
  appendPictureAddress(address, all);
  EXPECT_EQ(picturePath(address), all);
  EXPECT_EQ(address.find_first_of("'\"<>&#?\\"), std::string::npos);
}

TEST_F(PageTest, LinksAndLoopsNeitherStopNorRepeatTheScan) {
  cards({"a0001", "a0002"});
  fs::create_symlink(data / "c0002", data / "c0001");  // a loop of two links
  fs::create_symlink(data / "c0001", data / "c0002");
  fs::create_directory_symlink(data, data / "c0003");  // back to the data folder itself
  std::vector<std::string> alts;
  for (const auto& values : blocks()) alts.push_back(values.at(1));
  EXPECT_EQ(alts, (std::vector<std::string>{"a0001", "a0002", "c0001", "c0002", "c0003"}));
}

}  // namespace
}  // namespace selvara
