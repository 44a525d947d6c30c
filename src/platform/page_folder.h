// A private folder for one run's pages, and the sweep of such folders whose run has ended.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace selvara {

inline constexpr const char* kPageFolderPrefix = "selvara-card-viewer-";

// Where a page folder may be made, first choice first: $XDG_RUNTIME_DIR, then $TMPDIR or /tmp.
// Unset, empty and relative values are passed over.
std::vector<std::string> pageFolderPlaces(const char* runtimeDir, const char* tempDir);

// The places for this user's page folders on this system: on Linux those above, from the
// environment; on Windows the user's temporary folder.
std::vector<std::string> userPageFolderPlaces();

// No place would take a page folder: each place tried, with the error number it gave.
class PageFolderError : public std::runtime_error {
 public:
  struct Attempt {
    std::string place;
    int number;
  };
  explicit PageFolderError(std::vector<Attempt> attempts);
  const std::vector<Attempt>& attempts() const { return m_attempts; }

 private:
  std::vector<Attempt> m_attempts;
};

// A folder of mode 0700 (on Windows, open to its owner alone) made for this run and locked for as
// long as the object lives, which is how a later run tells a live run's folder from one left by a
// run that is gone.
class PageFolder {
 public:
  // Sweeps each place of folders left by ended runs, then makes the folder in the first place
  // that takes it. Throws PageFolderError.
  PageFolder(const std::vector<std::string>& places, const std::vector<std::string>& pageFiles);
  ~PageFolder();
  PageFolder(const PageFolder&) = delete;
  PageFolder& operator=(const PageFolder&) = delete;

  // The folder, ending in the separator.
  const std::string& path() const { return m_path; }
  // Removes the folder if it is empty and gives up the lock; harmless twice.
  void remove() noexcept;

 private:
  std::string m_path;
  std::intptr_t m_lock = -1;  // the folder's descriptor on Linux, its handle on Windows
};

// Removes from `place` the page folders whose run has ended: named as ours, a folder (not a
// link) of this user with mode 0700, not locked, and holding nothing but `pageFiles` as plain
// files. A folder that holds anything else is left whole.
void sweepPageFolders(const std::string& place, const std::vector<std::string>& pageFiles);

}  // namespace selvara
