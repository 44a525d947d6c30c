// A temporary folder for tests that build card sets on the real file system.
#pragma once

#include <filesystem>
#include <string>

namespace selvara::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  // The folder as the program spells folders: with a trailing separator.
  std::string withSeparator() const { return m_path.string() + "/"; }

 private:
  std::filesystem::path m_path;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& content);

}  // namespace selvara::test
