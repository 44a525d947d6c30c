// The page folder on Windows: a folder under the user's temporary folder that only this user may
// open, held open by the live run so that no one can delete or rename it, which is also how a
// later run tells a live run's folder from one left by a run that is gone.
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <memory>
#include <random>
#include <string_view>

#include "platform/page_folder.h"
#include "platform/windows/win32.h"

namespace selvara {
namespace {

constexpr std::size_t kRandomPart = 6;
constexpr int kMakeTries = 8;
// A live run's folder is held with no sharing of deletion: opening it to delete fails then.
constexpr DWORD kHeldShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
constexpr DWORD kHeldAccess = DELETE | FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | READ_CONTROL;

std::string describe(const std::vector<PageFolderError::Attempt>& attempts) {
  std::string text = "Could not make a folder for the pages";
  for (std::size_t i = 0; i < attempts.size(); ++i) {
    text += i == 0 ? " in \"" : " or in \"";
    text += attempts[i].place + "\" (" + std::strerror(attempts[i].number) + ")";
  }
  return text + ".";
}

std::string joined(const std::string& place, std::string_view name) {
  return place + (place.ends_with('\\') ? "" : "\\") + std::string(name);
}

// This user's SID, and the owner that this process gives what it makes (the user, or for an
// elevated run the administrators), as string SIDs; empty when the system does not say.
std::vector<std::wstring> ourOwners() {
  HANDLE token = nullptr;
  if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token) == FALSE) return {};
  const win::Handle owned(token);
  std::vector<std::wstring> owners;
  for (const TOKEN_INFORMATION_CLASS kind : {TokenUser, TokenOwner}) {
    DWORD size = 0;
    (void)::GetTokenInformation(token, kind, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (size == 0 || ::GetTokenInformation(token, kind, buffer.data(), size, &size) == FALSE) {
      return {};
    }
    // NOLINTBEGIN(cppcoreguidelines-pro-type-reinterpret-cast): the system wrote that record there
    const PSID sid = kind == TokenUser ? reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid
                                       : reinterpret_cast<TOKEN_OWNER*>(buffer.data())->Owner;
    // NOLINTEND(cppcoreguidelines-pro-type-reinterpret-cast)
    LPWSTR text = nullptr;
    if (::ConvertSidToStringSidW(sid, &text) == FALSE) return {};
    owners.emplace_back(text);
    ::LocalFree(text);
  }
  return owners;
}

bool ownedByUs(HANDLE folder) {
  static const std::vector<std::wstring> us = ourOwners();
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (::GetSecurityInfo(folder, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                        nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
    return false;
  }
  LPWSTR text = nullptr;
  const bool ours = ::ConvertSidToStringSidW(owner, &text) != FALSE &&
                    std::find(us.begin(), us.end(), std::wstring_view(text)) != us.end();
  ::LocalFree(text);
  ::LocalFree(descriptor);
  return ours;
}

// Makes one folder in `place`, open to its owner alone, and holds it; the error number or 0.
int makeIn(const std::string& place, std::string& path, win::Handle& held) {
  const std::vector<std::wstring> owners = ourOwners();
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  // Full access for this user alone, none inherited from the temporary folder.
  const std::wstring rules = L"D:P(A;OICI;FA;;;" + (owners.empty() ? L"" : owners.front()) + L")";
  if (owners.empty() || ::ConvertStringSecurityDescriptorToSecurityDescriptorW(
                            rules.c_str(), SDDL_REVISION_1, &descriptor, nullptr) == FALSE) {
    return win::errorNumber(::GetLastError());
  }
  const std::unique_ptr<void, HLOCAL(WINAPI*)(HLOCAL)> freed(descriptor, ::LocalFree);
  SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), descriptor, FALSE};
  std::random_device random;
  constexpr std::string_view letters =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  for (int attempt = 0; attempt < kMakeTries; ++attempt) {
    std::string name = kPageFolderPrefix;
    for (std::size_t i = 0; i < kRandomPart; ++i) name += letters[random() % letters.size()];
    const std::string folder = joined(place, name);
    const std::wstring wide = win::filePath(folder);
    if (::CreateDirectoryW(wide.c_str(), &security) == FALSE) {
      if (::GetLastError() == ERROR_ALREADY_EXISTS) continue;
      return win::errorNumber(::GetLastError());
    }
    // A sweep in another run may take the new, still unheld folder for a stale one and remove
    // it; then this run makes another.
    win::Handle handle = win::openNoFollow(wide, kHeldAccess, kHeldShare, OPEN_EXISTING);
    BY_HANDLE_FILE_INFORMATION info{};
    if (handle.valid() && ::GetFileInformationByHandle(handle.get(), &info) != FALSE &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 && info.nNumberOfLinks > 0) {
      path = folder + "\\";
      held = std::move(handle);
      return 0;
    }
  }
  return EAGAIN;
}

// True when the folder held at `folder` holds nothing but plain files named in `pageFiles`. Read
// through the handle: while it is held, the folder cannot be opened again to list it.
bool holdsOnlyPages(HANDLE folder, const std::vector<std::string>& pageFiles) {
  alignas(FILE_ID_BOTH_DIR_INFO) std::array<unsigned char, std::size_t{16} * 1024> buffer{};
  for (auto kind = FileIdBothDirectoryRestartInfo;; kind = FileIdBothDirectoryInfo) {
    if (::GetFileInformationByHandleEx(folder, kind, buffer.data(),
                                       static_cast<DWORD>(buffer.size())) == FALSE) {
      return ::GetLastError() == ERROR_NO_MORE_FILES;  // a listing cut short proves nothing
    }
    for (std::size_t at = 0;;) {
      // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): the system wrote the record
      const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(buffer.data() + at);
      const std::wstring_view name(entry->FileName, entry->FileNameLength / sizeof(wchar_t));
      const bool page =
          std::find(pageFiles.begin(), pageFiles.end(), win::narrow(name)) != pageFiles.end();
      const bool plain =
          (entry->FileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
      if (name != L"." && name != L".." && !(page && plain)) return false;
      if (entry->NextEntryOffset == 0) break;
      at += entry->NextEntryOffset;
    }
  }
}

}  // namespace

std::vector<std::string> userPageFolderPlaces() {
  std::wstring temp(MAX_PATH + 1, L'\0');
  const DWORD length = ::GetTempPathW(static_cast<DWORD>(temp.size()), temp.data());
  temp.resize(length <= temp.size() ? length : 0);
  // The folder without its closing backslash, unless it is a drive's root.
  if (temp.size() > 3 && temp.ends_with(L'\\')) temp.pop_back();
  return {win::narrow(temp)};
}

PageFolderError::PageFolderError(std::vector<Attempt> attempts)
    : std::runtime_error(describe(attempts)), m_attempts(std::move(attempts)) {}

PageFolder::PageFolder(const std::vector<std::string>& places,
                       const std::vector<std::string>& pageFiles) {
  std::vector<PageFolderError::Attempt> attempts;
  for (const std::string& place : places) {
    sweepPageFolders(place, pageFiles);
    win::Handle held;
    const int number = place.empty() ? ENOENT : makeIn(place, m_path, held);
    if (number == 0) {
      // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): kept as a number in the header
      m_lock = reinterpret_cast<std::intptr_t>(held.release());
      return;
    }
    attempts.push_back({place, number});
  }
  throw PageFolderError(std::move(attempts));
}

PageFolder::~PageFolder() { remove(); }

void PageFolder::remove() noexcept {
  if (m_lock == -1) return;
  // Removed while still held, so that no sweep can find it half gone; a folder that still holds
  // something stays, and so does its content.
  // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast,performance-no-int-to-ptr)
  const win::Handle held(reinterpret_cast<HANDLE>(m_lock));
  (void)win::deleteOnClose(held.get());
  m_lock = -1;
}

void sweepPageFolders(const std::string& place, const std::vector<std::string>& pageFiles) {
  const std::wstring widePlace = win::filePath(place);
  WIN32_FIND_DATAW found{};
  HANDLE search =
      ::FindFirstFileExW((widePlace + L"\\" + win::widen(kPageFolderPrefix) + L"*").c_str(),
                         FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return;  // nothing to sweep where nothing can be listed
  do {
    const std::string name = win::narrow(found.cFileName);
    if (name.size() != std::strlen(kPageFolderPrefix) + kRandomPart ||
        (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
        (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
      continue;
    }
    const std::wstring folder = widePlace + L"\\" + found.cFileName;
    // Fails while the run that made the folder holds it; once held here, no one else can take
    // it away or put a link in its place.
    const win::Handle held = win::openNoFollow(folder, kHeldAccess, kHeldShare, OPEN_EXISTING);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!held.valid() || ::GetFileInformationByHandle(held.get(), &info) == FALSE ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 || !ownedByUs(held.get()) ||
        !holdsOnlyPages(held.get(), pageFiles)) {
      continue;
    }
    for (const std::string& file : pageFiles) {
      const win::Handle page =
          win::openNoFollow(folder + L"\\" + win::widen(file), DELETE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
      if (page.valid()) (void)win::deleteOnClose(page.get());
    }
    (void)win::deleteOnClose(held.get());
  } while (::FindNextFileW(search, &found) != FALSE);
  ::FindClose(search);
}

}  // namespace selvara
