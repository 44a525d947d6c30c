// Builds sandboxes and card sets; all pictures are made by one ImageMagick call per set
// because starting convert hundreds of times would dominate the suite's run time.
#include "card_set.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#ifndef SELVARA_VIEWER_BINARY
#define SELVARA_VIEWER_BINARY ""
#endif
#ifndef SELVARA_SAMPLE_SET
#define SELVARA_SAMPLE_SET ""
#endif
#ifndef SELVARA_PAGE_TEMPLATE
#define SELVARA_PAGE_TEMPLATE ""
#endif

namespace e2e {

namespace fs = std::filesystem;

fs::path viewerBinary() {
  const char* env = std::getenv("SELVARA_VIEWER_BINARY");
  fs::path path =
      (env != nullptr && *env != '\0') ? fs::path(env) : fs::path(SELVARA_VIEWER_BINARY);
  if (path.empty() || !fs::exists(path))
    throw std::runtime_error("program binary not found: '" + path.string() + "'");
  return path;
}

fs::path sampleSet() { return fs::path(SELVARA_SAMPLE_SET); }

fs::path pageTemplateSource() { return fs::path(SELVARA_PAGE_TEMPLATE); }

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

Rgb cardColour(std::size_t index) {
  // A 7x7x7 grid 35 steps apart, greys left out: neighbours differ far more than JPEG noise.
  static const std::vector<Rgb> palette = [] {
    constexpr int levels[] = {40, 75, 110, 145, 180, 215, 250};
    std::vector<Rgb> colours;
    for (int r : levels)
      for (int g : levels)
        for (int b : levels)
          if (!(r == g && g == b)) colours.push_back({r, g, b});
    // Stride through the grid so consecutive cards differ strongly, which keeps screenshots
    // readable; 97 shares no factor with the palette size, so every colour is used once.
    std::vector<Rgb> spread;
    for (std::size_t i = 0; i < colours.size(); ++i)
      spread.push_back(colours[(i * 97) % colours.size()]);
    return spread;
  }();
  return palette[index % palette.size()];
}

Sandbox::Sandbox() {
  std::string pattern = (fs::temp_directory_path() / "selvara-e2e-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  fs::create_directories(binDir());
  fs::create_directories(workDir());
  fs::copy_file(viewerBinary(), binary());
  fs::permissions(binary(), fs::perms::owner_all, fs::perm_options::add);
}

Sandbox::~Sandbox() {
  const char* env = std::getenv("E2E_KEEP_TEMP");
  if (keep_ || (env != nullptr && *env != '\0')) return;
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

fs::path Sandbox::binary() const { return binDir() / viewerBinary().filename(); }

fs::path Sandbox::makeCardSet(const std::string& setName, const std::vector<CardSpec>& cards) {
  fs::path set = root_ / setName;
  fs::path staging = root_ / ".pictures";
  fs::create_directories(set / "data");
  fs::create_directories(staging);
  if (cards.empty()) return set;

  std::string command = "/usr/bin/convert -size 172x252";
  for (const CardSpec& card : cards) command += " xc:'" + card.colour.hex() + "'";
  command += " -quality 95 +adjoin '" + (staging / "card-%04d.jpg").string() + "'";
  int rc = std::system(command.c_str());
  if (rc == -1 || !WIFEXITED(rc) || WEXITSTATUS(rc) != 0)
    throw std::runtime_error("convert failed: " + command);

  for (std::size_t i = 0; i < cards.size(); ++i) {
    char picture[32];
    std::snprintf(picture, sizeof picture, "card-%04zu.jpg", i);
    fs::path folder = set / "data" / cards[i].name;
    fs::create_directories(folder);
    fs::rename(staging / picture, folder / (cards[i].name + "c.jpg"));
  }
  fs::remove_all(staging);
  return set;
}

std::vector<std::string> fileNames(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace e2e
