#include "win32/system/file_store.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <stdexcept>

#include "win32/system/system_error_text.h"
#include "win32/system/unique_handle.h"
#include "win32/system/wide_text.h"
#include "win32/system/win32_error.h"

namespace quellbrook::win32 {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kReadChunk = 64 * 1024;
// The attributes SetFileAttributesW can put back.
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                      FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                                      FILE_ATTRIBUTE_OFFLINE | FILE_ATTRIBUTE_TEMPORARY;

std::u16string_view AsDetail(const std::wstring& path) {
  return {reinterpret_cast<const char16_t*>(path.data()), path.size()};
}

// A name beside the target that no other file of ours uses:
// ~<name>.<process id>.<counter><suffix>.
std::wstring SiblingName(const std::wstring& target, const wchar_t* suffix) {
  static std::atomic<unsigned> counter{0};
  std::size_t nameStart = target.find_last_of(L"\\/") + 1;  // npos + 1 is 0
  return target.substr(0, nameStart) + L"~" + target.substr(nameStart) + L"." +
         std::to_wstring(::GetCurrentProcessId()) + L"." + std::to_wstring(counter++) + suffix;
}

// Whether the process that named a sibling may still be using it. Only an id
// no process has counts as gone: a process we may not look at is left alone.
bool ProcessMayBeRunning(DWORD processId) {
  if (processId == ::GetCurrentProcessId()) return true;
  UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
  if (!process) return ::GetLastError() != ERROR_INVALID_PARAMETER;
  return ::WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

// The process id in a sibling's name "~<name>.<process id>.<counter><suffix>",
// or nothing when the name is not one of ours for this target.
std::optional<DWORD> SiblingOwner(std::wstring_view sibling, std::wstring_view name, std::wstring_view suffix) {
  if (sibling.size() <= name.size() + suffix.size() + 2 || sibling[0] != L'~' ||
      sibling.substr(1, name.size()) != name || sibling[name.size() + 1] != L'.' || !sibling.ends_with(suffix)) {
    return std::nullopt;
  }
  std::wstring_view numbers = sibling.substr(name.size() + 2, sibling.size() - name.size() - 2 - suffix.size());
  const std::size_t dot = numbers.find(L'.');
  if (dot == 0 || dot == std::wstring_view::npos || dot + 1 == numbers.size() || dot > 10) return std::nullopt;
  std::uint64_t processId = 0;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i == dot) continue;
    if (numbers[i] < L'0' || numbers[i] > L'9') return std::nullopt;
    if (i < dot) processId = processId * 10 + static_cast<unsigned>(numbers[i] - L'0');
  }
  if (processId > std::numeric_limits<DWORD>::max()) return std::nullopt;
  return static_cast<DWORD>(processId);
}

// Calls visit(sibling, owner) for each file beside the target named as ours
// with that suffix, whose process is gone.
template <typename Visit>
void ForEachOrphanedSibling(const std::wstring& target, std::wstring_view suffix, Visit visit) {
  const std::size_t nameStart = target.find_last_of(L"\\/") + 1;  // npos + 1 is 0
  const std::wstring folder = target.substr(0, nameStart);
  const std::wstring name = target.substr(nameStart);
  WIN32_FIND_DATAW found{};
  UniqueFind search(::FindFirstFileExW((folder + L"~" + name + L".*").c_str(), FindExInfoBasic, &found,
                                       FindExSearchNameMatch, nullptr, 0));
  if (!search) return;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    const std::optional<DWORD> owner = SiblingOwner(found.cFileName, name, suffix);
    if (owner && !ProcessMayBeRunning(*owner)) visit(folder + found.cFileName, found);
  } while (::FindNextFileW(search.Get(), &found));
}

// A save cut short by the end of its process (killed, or the machine lost
// power) leaves its replacement beside the target, or after the swap the old
// content under the backup name. Both are removed by the next save of the
// target, once their process is gone; a backup only while the target exists,
// because until the swap finishes it may be the only copy of the old content.
void RemoveStaleSiblings(const std::wstring& target, bool targetExists) {
  const auto remove = [](const std::wstring& sibling, const WIN32_FIND_DATAW&) { ::DeleteFileW(sibling.c_str()); };
  ForEachOrphanedSibling(target, L".tmp", remove);
  if (targetExists) ForEachOrphanedSibling(target, L".old", remove);
}

// ReplaceFileW with a backup name renames the old file to it, then the
// replacement to the target: two steps on Windows as under Wine. A save
// killed between them leaves no target, and the old content whole under the
// backup name. The next look at the target puts the newest such backup back,
// unless a file of that name has appeared meanwhile. True when it did.
bool RestoreStrandedBackup(const std::wstring& target) {
  std::wstring newest;
  FILETIME newestTime{};
  ForEachOrphanedSibling(target, L".old", [&](const std::wstring& sibling, const WIN32_FIND_DATAW& found) {
    if (newest.empty() || ::CompareFileTime(&found.ftLastWriteTime, &newestTime) > 0) {
      newest = sibling;
      newestTime = found.ftLastWriteTime;
    }
  });
  return !newest.empty() && ::MoveFileExW(newest.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
}

// The replacement file beside the target, created exclusively.
UniqueFile CreateReplacementFile(const std::wstring& target, std::wstring& replacementPath) {
  for (int attempt = 0;; ++attempt) {
    replacementPath = SiblingName(target, L".tmp");
    UniqueFile file(::CreateFileW(replacementPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return file;
    DWORD error = ::GetLastError();
    if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt == 100) {
      ThrowWin32Error(error, AsDetail(target));
    }
  }
}

class Win32FileReplacement final : public FileReplacement {
 public:
  explicit Win32FileReplacement(std::wstring target) : target_(std::move(target)) {
    file_ = CreateReplacementFile(target_, replacementPath_);
  }

  ~Win32FileReplacement() override {
    if (!committed_) Discard();
  }
  Win32FileReplacement(const Win32FileReplacement&) = delete;
  Win32FileReplacement& operator=(const Win32FileReplacement&) = delete;

  void Append(std::string_view bytes) override {
    RequireOpen();
    while (!bytes.empty()) {
      DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), std::numeric_limits<DWORD>::max()));
      DWORD written = 0;
      if (!::WriteFile(file_.Get(), bytes.data(), chunk, &written, nullptr)) ThrowLastError(AsDetail(target_));
      bytes.remove_prefix(written);
    }
  }

  void Commit() override {
    if (committed_) throw std::logic_error("the file replacement is already finished");
    if (!strandedBackup_.empty()) ThrowWin32Error(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, AsDetail(strandedBackup_));
    if (file_) {
      // Once: a second call after a refused swap finds the data on disk.
      if (!::FlushFileBuffers(file_.Get())) ThrowLastError(AsDetail(target_));
      file_.Reset();
    }

    DWORD attributes = ::GetFileAttributesW(target_.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      DWORD error = ::GetLastError();
      if (error != ERROR_FILE_NOT_FOUND) ThrowWin32Error(error, AsDetail(target_));
      // No replace-existing flag: a file that appeared meanwhile is not overwritten.
      if (!::MoveFileExW(replacementPath_.c_str(), target_.c_str(), MOVEFILE_WRITE_THROUGH)) {
        ThrowLastError(AsDetail(target_));
      }
      committed_ = true;
      return;
    }
    // Made read-only since the save began: refused as at the start, rather
    // than left to ReplaceFileW's bare access denied, which looks transient.
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
      throw UnwritableTarget(Win32Error(ERROR_ACCESS_DENIED, ReadOnlyDetail(AsDetail(target_))));
    }

    // The old file is moved aside under a name of ours rather than one the
    // system picks: Wine's ReplaceFileW leaves its own pick behind when it fails.
    std::wstring backupPath = SiblingName(target_, L".old");
    if (!::ReplaceFileW(target_.c_str(), replacementPath_.c_str(), backupPath.c_str(),
                        REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
      DWORD error = ::GetLastError();
      if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        // The old file went to the backup name and the replacement could not
        // follow: put the old one back, or keep it there, the only copy.
        if (!::MoveFileExW(backupPath.c_str(), target_.c_str(), 0)) {
          strandedBackup_ = backupPath;
          ThrowWin32Error(error, AsDetail(backupPath));
        }
      } else if (::GetFileAttributesW(target_.c_str()) != INVALID_FILE_ATTRIBUTES) {
        // Every other failure leaves both files under their own names; a
        // backup made on the way would only be clutter beside the next try.
        ::DeleteFileW(backupPath.c_str());
      }
      ThrowWin32Error(error, AsDetail(target_));
    }
    // The new content is in place; a backup that cannot be deleted is only clutter.
    ::DeleteFileW(backupPath.c_str());
    committed_ = true;
    RestoreAttributes(attributes);
  }

 private:
  void RequireOpen() const {
    if (committed_ || !file_) throw std::logic_error("the file replacement is already finished");
  }

  // Windows' ReplaceFileW keeps the target's attributes already; Wine's drops
  // hidden and system, so they are put back by hand. By now the new content is
  // in place and the save has succeeded: a flag that cannot be put back does
  // not make it a failure, and the user is not told to save again.
  void RestoreAttributes(DWORD attributes) const noexcept {
    DWORD wanted = attributes & kSettableAttributes;
    DWORD now = ::GetFileAttributesW(target_.c_str());
    if (now != INVALID_FILE_ATTRIBUTES && (now & kSettableAttributes) == wanted) return;
    ::SetFileAttributesW(target_.c_str(), wanted != 0 ? wanted : FILE_ATTRIBUTE_NORMAL);
  }

  void Discard() noexcept {
    file_.Reset();
    ::DeleteFileW(replacementPath_.c_str());
  }

  std::wstring target_;
  std::wstring replacementPath_;
  UniqueFile file_;
  bool committed_ = false;
  // Set when the old content could only be kept under the backup name: the
  // replacement then stays unfinished for good.
  std::wstring strandedBackup_;
};

}  // namespace

std::wstring FullPath(std::u16string_view path) {
  std::wstring relative = ToWide(path);
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = ::GetFullPathNameW(relative.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0) ThrowLastError(path);
    if (length < full.size()) {
      full.resize(length);
      return full;
    }
    full.resize(length);  // too small: length counts the terminating NUL
  }
}

std::string Win32FileStore::ReadAll(std::u16string_view path) {
  const auto open = [&] {
    return UniqueFile(::CreateFileW(ToWide(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  };
  UniqueFile file = open();
  if (!file) {
    DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND && RestoreStrandedBackup(FullPath(path))) {
      file = open();
      if (!file) error = ::GetLastError();
    }
    if (!file) ThrowWin32Error(error, path);
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size)) ThrowLastError(path);
  std::string bytes;
  // Room for the last, short chunk as well: no copy of the whole at the end.
  bytes.reserve(static_cast<std::size_t>(size.QuadPart) + kReadChunk);
  // Read to the end rather than to the size seen at the start.
  std::size_t used = 0;
  for (;;) {
    bytes.resize(used + kReadChunk);
    DWORD read = 0;
    if (!::ReadFile(file.Get(), bytes.data() + used, kReadChunk, &read, nullptr)) ThrowLastError(path);
    used += read;
    if (read == 0) break;
  }
  bytes.resize(used);
  return bytes;
}

std::unique_ptr<FileReplacement> Win32FileStore::BeginReplace(std::u16string_view path) {
  // Absolute, because Wine's ReplaceFileW fails on relative paths.
  std::wstring target = FullPath(path);
  DWORD attributes = ::GetFileAttributesW(target.c_str());
  DWORD error = attributes == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : ERROR_SUCCESS;
  if (error == ERROR_FILE_NOT_FOUND && RestoreStrandedBackup(target)) {
    attributes = ::GetFileAttributesW(target.c_str());
    error = attributes == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : ERROR_SUCCESS;
  }
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    if (error != ERROR_FILE_NOT_FOUND) ThrowWin32Error(error, path);
  } else {
    // Refused here as Windows refuses to open them for writing. Wine would
    // overwrite a read-only file, so the attribute is checked by hand.
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) throw UnwritableTarget(Win32Error(ERROR_ACCESS_DENIED, path));
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
      throw UnwritableTarget(Win32Error(ERROR_ACCESS_DENIED, ReadOnlyDetail(path)));
    }
    // Fails now, not at the swap, when the file cannot be written at all.
    UniqueFile probe(::CreateFileW(target.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe) ThrowLastError(path);
  }
  RemoveStaleSiblings(target, attributes != INVALID_FILE_ATTRIBUTES);
  return std::make_unique<Win32FileReplacement>(std::move(target));
}

}  // namespace quellbrook::win32
