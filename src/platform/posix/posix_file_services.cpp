// File operations on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/file_services.h"

namespace selvara {
namespace {

// Both the copy buffer and the buffer of appended text files.
constexpr std::size_t kBufferBytes = std::size_t{64} * 1024;

class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  ~Descriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return m_fd; }
  // Closes now so that a failing close can be reported.
  int release() {
    const int result = ::close(m_fd);
    m_fd = -1;
    return result;
  }

 private:
  int m_fd;
};

void writeAll(int fd, std::span<const unsigned char> bytes, const std::string& path) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      throwLastError("write", path);
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
}

// The files this run made, each as the file system knows it, so that replacing or deleting one
// never reaches a file or link that something else put under the same name.
struct MadeFile {
  std::string path;
  dev_t device;
  ino_t inode;
};

std::vector<MadeFile>& madeFiles() {
  static std::vector<MadeFile> made;
  return made;
}

std::vector<MadeFile>::iterator findMade(const std::string& path, const struct stat& info) {
  auto& made = madeFiles();
  return std::find_if(made.begin(), made.end(), [&](const MadeFile& file) {
    return file.path == path && file.device == info.st_dev && file.inode == info.st_ino;
  });
}

// Creates `path` new, never through a link. A file of that name that this run made is
// replaced; anything else there makes the create fail with EEXIST.
int createNew(const std::string& path) {
  struct stat info = {};
  if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
    const auto made = findMade(path, info);
    if (made != madeFiles().end() && ::unlink(path.c_str()) == 0) madeFiles().erase(made);
  }
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd >= 0 && ::fstat(fd, &info) == 0) madeFiles().push_back({path, info.st_dev, info.st_ino});
  return fd;
}

}  // namespace

void throwLastError(const char* action, const std::string& path) {
  // Read before anything else runs: making the exception and its texts allocates, and an
  // allocation may leave another error number behind.
  const int number = errno;
  throw FileError(number, action, path);
}

void copyFile(const std::string& from, const std::string& to) {
  Descriptor source(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (source.get() < 0) throwLastError("read", from);
  struct stat info = {};
  if (::fstat(source.get(), &info) == 0 && S_ISDIR(info.st_mode)) {
    throw FileError(EISDIR, "read", from);
  }
  Descriptor target(createNew(to));
  if (target.get() < 0) throwLastError("write", to);
  std::array<unsigned char, kBufferBytes> buffer{};
  for (;;) {
    const ssize_t got = ::read(source.get(), buffer.data(), buffer.size());
    if (got < 0) {
      if (errno == EINTR) continue;
      throwLastError("read", from);
    }
    if (got == 0) break;
    writeAll(target.get(), std::span(buffer).first(static_cast<std::size_t>(got)), to);
  }
  if (target.release() != 0) throwLastError("write", to);
}

int deleteFile(const std::string& path) noexcept {
  struct stat info = {};
  if (::lstat(path.c_str(), &info) != 0) return errno;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  const auto made = findMade(path, info);
  if (made == madeFiles().end()) return EPERM;
  if (::unlink(path.c_str()) != 0) return errno;
  madeFiles().erase(made);
  return 0;
}

void writeBytes(const std::string& path, std::span<const unsigned char> bytes) {
  Descriptor target(createNew(path));
  if (target.get() < 0) throwLastError("write", path);
  writeAll(target.get(), bytes, path);
  if (target.release() != 0) throwLastError("write", path);
}

TextFile::TextFile(const std::string& path) : m_path(path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd >= 0) m_file = ::fdopen(fd, "ab");
  if (m_file == nullptr) {
    const int error = errno;
    if (fd >= 0) ::close(fd);
    throw FileError(error, "open for appending", path);
  }
  // A refused buffer size leaves the library's default buffering, which writes the same bytes.
  (void)std::setvbuf(m_file, nullptr, _IOFBF, kBufferBytes);
}

int folderStatus(const std::string& path) noexcept {
  struct stat info = {};
  if (::stat(path.c_str(), &info) != 0) return errno;
  return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

std::vector<FolderEntry> listFolder(const std::string& folder,
                                    const std::function<bool(const std::string&)>& keep) {
  std::vector<FolderEntry> entries;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) {
    // A set without its data folder simply has no cards.
    if (errno == ENOENT || errno == ENOTDIR) return entries;
    throwLastError("list", folder);
  }
  const std::unique_ptr<DIR, int (*)(DIR*)> closer(dir, ::closedir);
  const int dirFd = ::dirfd(dir);
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (entry == nullptr) {
      if (errno != 0) throwLastError("list", folder);
      break;
    }
    const std::string name = entry->d_name;
    if (name == "." || name == ".." || !keep(name)) continue;
    EntryKind kind = EntryKind::Unknown;
    if (entry->d_type == DT_DIR) {
      kind = EntryKind::Folder;
    } else if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK) {
      kind = EntryKind::NotFolder;
    } else {
      // Links and file systems that do not report the type are asked, following links.
      struct stat info = {};
      if (::fstatat(dirFd, entry->d_name, &info, 0) == 0) {
        kind = S_ISDIR(info.st_mode) ? EntryKind::Folder : EntryKind::NotFolder;
      }
    }
    entries.push_back({name, kind});
  }
  return entries;
}

}  // namespace selvara
