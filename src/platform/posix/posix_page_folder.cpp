// The page folder on POSIX systems: mkdtemp for the folder, flock on the folder for its life.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/page_folder.h"

namespace selvara {
namespace {

constexpr std::size_t kRandomPart = 6;  // the XXXXXX of mkdtemp
constexpr int kMakeTries = 8;

bool usable(const char* value) {
  return value != nullptr && std::string_view(value).starts_with('/');
}

std::string describe(const std::vector<PageFolderError::Attempt>& attempts) {
  std::string text = "Could not make a folder for the pages";
  for (std::size_t i = 0; i < attempts.size(); ++i) {
    text += i == 0 ? " in \"" : " or in \"";
    text += attempts[i].place + "\" (" + std::strerror(attempts[i].number) + ")";
  }
  return text + ".";
}

bool looksLikeOurs(const std::string& name, const struct stat& info) {
  const std::string prefix = kPageFolderPrefix;
  return name.size() == prefix.size() + kRandomPart &&
         name.compare(0, prefix.size(), prefix) == 0 && S_ISDIR(info.st_mode) &&
         info.st_uid == ::geteuid() && (info.st_mode & 07777) == 0700;
}

// Makes one folder in `place` and takes its lock; returns the error number or 0.
int makeIn(const std::string& place, std::string& path, int& lock) {
  for (int attempt = 0; attempt < kMakeTries; ++attempt) {
    std::string pattern = place + (place.back() == '/' ? "" : "/") + kPageFolderPrefix +
                          std::string(kRandomPart, 'X');
    if (::mkdtemp(pattern.data()) == nullptr) return errno;
    // A sweep in another run may take the new, still unlocked folder for a stale one and remove
    // it, before or after it is opened here; then this run makes another.
    const int fd = ::open(pattern.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) continue;
    if (fd < 0) return errno;
    struct stat info = {};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &info) == 0 && info.st_nlink > 0) {
      path = pattern + "/";
      lock = fd;
      return 0;
    }
    ::close(fd);
  }
  return EAGAIN;
}

// True when the folder open at `fd` holds nothing but plain files named in `pageFiles`.
bool holdsOnlyPages(int fd, const std::vector<std::string>& pageFiles) {
  const int listFd = ::openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* dir = listFd < 0 ? nullptr : ::fdopendir(listFd);
  if (dir == nullptr) {
    if (listFd >= 0) ::close(listFd);
    return false;
  }
  bool onlyPages = true;
  errno = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat info = {};
    if (std::find(pageFiles.begin(), pageFiles.end(), name) == pageFiles.end() ||
        ::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) {
      onlyPages = false;
      break;
    }
  }
  if (errno != 0) onlyPages = false;  // a listing cut short proves nothing
  ::closedir(dir);
  return onlyPages;
}

}  // namespace

std::vector<std::string> pageFolderPlaces(const char* runtimeDir, const char* tempDir) {
  std::vector<std::string> places;
  if (usable(runtimeDir)) places.emplace_back(runtimeDir);
  places.emplace_back(usable(tempDir) ? tempDir : "/tmp");
  return places;
}

std::vector<std::string> userPageFolderPlaces() {
  return pageFolderPlaces(std::getenv("XDG_RUNTIME_DIR"), std::getenv("TMPDIR"));
}

PageFolderError::PageFolderError(std::vector<Attempt> attempts)
    : std::runtime_error(describe(attempts)), m_attempts(std::move(attempts)) {}

PageFolder::PageFolder(const std::vector<std::string>& places,
                       const std::vector<std::string>& pageFiles) {
  std::vector<PageFolderError::Attempt> attempts;
  for (const std::string& place : places) {
    sweepPageFolders(place, pageFiles);
    int lock = -1;
    const int number = makeIn(place, m_path, lock);
    if (number == 0) {
      m_lock = lock;
      return;
    }
    attempts.push_back({place, number});
  }
  throw PageFolderError(std::move(attempts));
}

PageFolder::~PageFolder() { remove(); }

void PageFolder::remove() noexcept {
  if (m_lock < 0) return;
  // Removed while still locked, so that no sweep can find it half gone; a folder that still
  // holds something stays, and so does its content.
  (void)::rmdir(m_path.c_str());
  ::close(static_cast<int>(m_lock));
  m_lock = -1;
}

void sweepPageFolders(const std::string& place, const std::vector<std::string>& pageFiles) {
  DIR* dir = ::opendir(place.c_str());
  if (dir == nullptr) return;  // nothing to sweep where nothing can be listed
  const int dirFd = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    struct stat info = {};
    if (::fstatat(dirFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
        !looksLikeOurs(name, info)) {
      continue;
    }
    const int fd = ::openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) continue;
    // The lock is free only when the run that made the folder has ended. A folder that holds
    // anything besides the pages may be someone else's after all, and stays whole.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && holdsOnlyPages(fd, pageFiles)) {
      for (const std::string& file : pageFiles) (void)::unlinkat(fd, file.c_str(), 0);
      (void)::unlinkat(dirFd, name.c_str(), AT_REMOVEDIR);
    }
    ::close(fd);
  }
  ::closedir(dir);
}

}  // namespace selvara
