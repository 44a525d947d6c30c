// The file operations the program performs, with failures reported as FileError.
#pragma once

#include <cstdio>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace selvara {

// A failed file operation: the system's error number, its description, what was attempted and
// on which path.
class FileError : public std::runtime_error {
 public:
  FileError(int number, const std::string& action, const std::string& path);
  int number() const { return m_number; }
  const std::string& description() const { return m_description; }
  const std::string& action() const { return m_action; }
  const std::string& path() const { return m_path; }

 private:
  int m_number;
  std::string m_description;
  std::string m_action;
  std::string m_path;
};

// Throws FileError for the call that just failed, with the error number it left in errno.
[[noreturn]] void throwLastError(const char* action, const std::string& path);

// Files are written new, never through a link: a name already taken is replaced only when this
// run made the file there, and otherwise the write fails with EEXIST.

// Makes `to` a copy of `from`.
void copyFile(const std::string& from, const std::string& to);

// Deletes a file this run made, while it is still that file; returns 0 or the error number
// (EPERM for anything else of that name). Never deletes a folder or a link.
int deleteFile(const std::string& path) noexcept;

// Makes `path` hold exactly `bytes`.
void writeBytes(const std::string& path, std::span<const unsigned char> bytes);

// A text file opened for appending, never through a link; each line ends in carriage return and
// line feed.
class TextFile {
 public:
  explicit TextFile(const std::string& path);
  ~TextFile();
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  // Writes `text` and a line end. A failure is remembered and reported by close().
  bool writeLine(const std::string& text) noexcept;
  // Flushes and closes; throws when any write or the close failed.
  void close();

 private:
  std::string m_path;
  std::FILE* m_file = nullptr;
  int m_firstError = 0;
};

// 0 when `path` is a folder (links followed), ENOTDIR when it is something else, otherwise the
// error number that stopped the look-up.
int folderStatus(const std::string& path) noexcept;

enum class EntryKind { Folder, NotFolder, Unknown };

struct FolderEntry {
  std::string name;
  EntryKind kind;  // following symbolic links
};

// The entries of `folder` (without "." and "..") whose names `keep` accepts, in the order the
// file system lists them, each with its kind. A folder that does not exist gives no entries; one
// that cannot be listed (unreadable, a path too long) throws FileError, as does a read error.
std::vector<FolderEntry> listFolder(const std::string& folder,
                                    const std::function<bool(const std::string&)>& keep);

}  // namespace selvara
