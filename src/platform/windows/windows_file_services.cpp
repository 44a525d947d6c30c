// File operations on Windows: wide-character calls on "\\?\" paths, names in UTF-8 at the edge,
// and nothing written or deleted through a link or junction.
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/file_services.h"
#include "platform/windows/win32.h"

namespace selvara {
namespace {

constexpr std::size_t kBufferBytes = std::size_t{64} * 1024;
constexpr std::size_t kLongestName = 255;  // UTF-16 units in one name, on every file system
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The files this run made, each as the file system knows it (volume and file index), so that
// replacing or deleting one never reaches a file that something else put under the same name.
struct MadeFile {
  std::string path;
  DWORD volume;
  DWORD indexHigh;
  DWORD indexLow;
};

std::vector<MadeFile>& madeFiles() {
  static std::vector<MadeFile> made;
  return made;
}

std::vector<MadeFile>::iterator findMade(const std::string& path,
                                         const BY_HANDLE_FILE_INFORMATION& info) {
  auto& made = madeFiles();
  return std::find_if(made.begin(), made.end(), [&](const MadeFile& file) {
    return file.path == path && file.volume == info.dwVolumeSerialNumber &&
           file.indexHigh == info.nFileIndexHigh && file.indexLow == info.nFileIndexLow;
  });
}

bool isLinkOrFolder(const BY_HANDLE_FILE_INFORMATION& info) {
  return (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0;
}

[[noreturn]] void throwError(DWORD error, const char* action, const std::string& path) {
  throw FileError(win::errorNumber(error), action, path);
}

// Creates `path` new, never through a link. A file of that name that this run made is
// replaced; anything else there makes the create fail with EEXIST.
win::Handle createNew(const std::string& path) {
  const std::wstring wide = win::filePath(path);
  win::Handle old =
      win::openNoFollow(wide, DELETE | FILE_READ_ATTRIBUTES, kShareAll, OPEN_EXISTING);
  BY_HANDLE_FILE_INFORMATION info{};
  if (old.valid() && ::GetFileInformationByHandle(old.get(), &info) != FALSE &&
      !isLinkOrFolder(info)) {
    const auto made = findMade(path, info);
    if (made != madeFiles().end() && win::deleteOnClose(old.get()) == ERROR_SUCCESS) {
      madeFiles().erase(made);
    }
  }
  old.reset();
  win::Handle file = win::openNoFollow(wide, GENERIC_WRITE, FILE_SHARE_READ, CREATE_NEW);
  if (!file.valid()) throwError(::GetLastError(), "write", path);
  if (::GetFileInformationByHandle(file.get(), &info) != FALSE) {
    madeFiles().push_back(
        {path, info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow});
  }
  return file;
}

void writeAll(HANDLE file, std::span<const unsigned char> bytes, const std::string& path) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kBufferBytes));
    DWORD written = 0;
    if (::WriteFile(file, bytes.data(), chunk, &written, nullptr) == FALSE) {
      throwError(::GetLastError(), "write", path);
    }
    bytes = bytes.subspan(written);
  }
}

// The attributes of what `path` names, links followed; the Windows error code or 0.
DWORD attributesFollowed(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  const win::Handle file(::CreateFileW(win::filePath(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll,
                                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                       nullptr));
  if (!file.valid()) return ::GetLastError();
  return ::GetFileInformationByHandle(file.get(), &info) != FALSE ? ERROR_SUCCESS
                                                                  : ::GetLastError();
}

// An entry's kind from its attributes; links and junctions are asked what they lead to.
EntryKind entryKind(DWORD attributes, const std::string& path) {
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (attributesFollowed(path, info) != ERROR_SUCCESS) return EntryKind::Unknown;
    attributes = info.dwFileAttributes;
  }
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EntryKind::Folder : EntryKind::NotFolder;
}

}  // namespace

void throwLastError(const char* action, const std::string& path) {
  const int number = errno;  // read before making the exception can change it
  throw FileError(number, action, path);
}

void copyFile(const std::string& from, const std::string& to) {
  const win::Handle source(::CreateFileW(win::filePath(from).c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!source.valid()) throwError(::GetLastError(), "read", from);
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileInformationByHandle(source.get(), &info) != FALSE &&
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    throw FileError(EISDIR, "read", from);
  }
  const win::Handle target = createNew(to);
  std::array<unsigned char, kBufferBytes> buffer{};
  for (;;) {
    DWORD got = 0;
    if (::ReadFile(source.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) ==
        FALSE) {
      throwError(::GetLastError(), "read", from);
    }
    if (got == 0) break;
    writeAll(target.get(), std::span(buffer).first(got), to);
  }
}

int deleteFile(const std::string& path) noexcept {
  try {
    const win::Handle file = win::openNoFollow(win::filePath(path), DELETE | FILE_READ_ATTRIBUTES,
                                               kShareAll, OPEN_EXISTING);
    if (!file.valid()) return win::errorNumber(::GetLastError());
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileInformationByHandle(file.get(), &info) == FALSE) {
      return win::errorNumber(::GetLastError());
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return EISDIR;
    const auto made = findMade(path, info);
    if (made == madeFiles().end() || isLinkOrFolder(info)) return EPERM;
    if (const DWORD error = win::deleteOnClose(file.get()); error != ERROR_SUCCESS) {
      return win::errorNumber(error);
    }
    madeFiles().erase(made);
    return 0;
  } catch (const std::bad_alloc&) {
    return ENOMEM;
  }
}

void writeBytes(const std::string& path, std::span<const unsigned char> bytes) {
  const win::Handle target = createNew(path);
  writeAll(target.get(), bytes, path);
}

TextFile::TextFile(const std::string& path) : m_path(path) {
  win::Handle file = win::openNoFollow(win::filePath(path), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                                       FILE_SHARE_READ, OPEN_ALWAYS);
  if (!file.valid()) throwError(::GetLastError(), "open for appending", path);
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileInformationByHandle(file.get(), &info) == FALSE || isLinkOrFolder(info)) {
    throw FileError(ELOOP, "open for appending", path);
  }
  // The C library's stream over the handle; from here on it owns the handle.
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): the library takes it as a number
  const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(file.get()), _O_APPEND | _O_BINARY);
  if (fd < 0) throw FileError(EMFILE, "open for appending", path);
  (void)file.release();
  m_file = ::_fdopen(fd, "ab");
  if (m_file == nullptr) {
    const int error = errno;
    ::_close(fd);
    throw FileError(error, "open for appending", path);
  }
  // A refused buffer size leaves the library's default buffering, which writes the same bytes.
  (void)std::setvbuf(m_file, nullptr, _IOFBF, kBufferBytes);
}

int folderStatus(const std::string& path) noexcept {
  try {
    BY_HANDLE_FILE_INFORMATION info{};
    if (const DWORD error = attributesFollowed(path, info); error != ERROR_SUCCESS) {
      return win::errorNumber(error);
    }
    return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? 0 : ENOTDIR;
  } catch (const std::bad_alloc&) {
    return ENOMEM;
  }
}

std::vector<FolderEntry> listFolder(const std::string& folder,
                                    const std::function<bool(const std::string&)>& keep) {
  std::vector<FolderEntry> entries;
  std::wstring pattern = win::filePath(folder);
  // NOTE: Wine reports a name longer than any file system holds as a missing folder, which would
  // make the set look empty; Windows refuses it, and so does the program.
  for (std::size_t at = 0, end = 0; at < pattern.size(); at = end + 1) {
    end = std::min(pattern.find(L'\\', at), pattern.size());
    if (end - at > kLongestName) throw FileError(ENAMETOOLONG, "list", folder);
  }
  if (!pattern.ends_with(L'\\')) pattern += L'\\';
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileExW((pattern + L'*').c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    // A set without its data folder simply has no cards.
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
        error == ERROR_DIRECTORY) {
      return entries;
    }
    throwError(error, "list", folder);
  }
  const std::unique_ptr<void, BOOL(WINAPI*)(HANDLE)> closer(search, ::FindClose);
  do {
    const std::wstring_view wideName = found.cFileName;
    if (wideName == L"." || wideName == L"..") continue;
    std::string name = win::narrow(wideName);
    if (!keep(name)) continue;
    const std::string separator(folder.ends_with('\\') ? "" : "\\");
    const EntryKind kind = entryKind(found.dwFileAttributes, folder + separator + name);
    entries.push_back({std::move(name), kind});
  } while (::FindNextFileW(search, &found) != FALSE);
  if (const DWORD error = ::GetLastError(); error != ERROR_NO_MORE_FILES) {
    throwError(error, "list", folder);
  }
  return entries;
}

}  // namespace selvara
