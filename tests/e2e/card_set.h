// Test fixtures on disk: a private temporary folder holding a copy of the program and card
// sets of solid-colour card pictures, so each test sees its own files and a screenshot can
// tell cards apart by colour.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "screen_image.h"

namespace e2e {

// The program under test: SELVARA_VIEWER_BINARY in the environment wins over the path
// compiled in, so the suite can be pointed at another build.
std::filesystem::path viewerBinary();
// The card set shipped with the sources (may be absent in a partial checkout).
std::filesystem::path sampleSet();
// The page template the program embeds, as it is in the sources.
std::filesystem::path pageTemplateSource();

std::string readFile(const std::filesystem::path& path);

// The i-th of a list of clearly different card colours, none grey, black or yellow, so cards
// cannot be mistaken for the page's background, border or heading. Wraps after kPaletteSize.
Rgb cardColour(std::size_t index);
inline constexpr std::size_t kPaletteSize = 336;

struct CardSpec {
  std::string name;  // folder name, e.g. "a0001"
  Rgb colour;
};

// A temporary folder removed again on destruction (kept when E2E_KEEP_TEMP is set, or when
// keep() was called, e.g. because the test failed).
class Sandbox {
 public:
  Sandbox();
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  const std::filesystem::path& root() const { return root_; }
  // Folder with this test's copy of the program; the program writes its pages beside it.
  std::filesystem::path binDir() const { return root_ / "bin"; }
  std::filesystem::path binary() const;
  // Working directory the program is started in, kept apart from binDir().
  std::filesystem::path workDir() const { return root_ / "cwd"; }
  std::filesystem::path logFile() const { return root_ / "program.log"; }

  // Creates `setName`/data/<card>/<card>c.jpg for every card, 172x252, in the card's colour,
  // in the order given (the program must sort, not rely on directory order).
  std::filesystem::path makeCardSet(const std::string& setName, const std::vector<CardSpec>& cards);

  void keep() { keep_ = true; }

 private:
  std::filesystem::path root_;
  bool keep_ = false;
};

// Files directly inside `dir`, by name, sorted.
std::vector<std::string> fileNames(const std::filesystem::path& dir);

}  // namespace e2e
