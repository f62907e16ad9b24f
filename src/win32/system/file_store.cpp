#include "win32/system/file_store.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <string_view>

#include "win32/system/interrupted_save.h"
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

// The new content, written to a file of its own beside the target, created
// exclusively; deleted again unless it took the target's place.
class Replacement {
 public:
  explicit Replacement(const std::wstring& target) : target_(target) {
    for (int attempt = 0;; ++attempt) {
      path_ = SiblingName(target, L".tmp");
      file_.Reset(::CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
      if (file_) return;
      const DWORD error = ::GetLastError();
      if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt == 100) {
        ThrowWin32Error(error, AsDetail(target));
      }
    }
  }
  ~Replacement() {
    file_.Reset();
    if (!committed_) ::DeleteFileW(path_.c_str());
  }
  Replacement(const Replacement&) = delete;
  Replacement& operator=(const Replacement&) = delete;

  void Write(std::string_view bytes) {
    while (!bytes.empty()) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), std::numeric_limits<DWORD>::max()));
      DWORD written = 0;
      if (!::WriteFile(file_.Get(), bytes.data(), chunk, &written, nullptr)) ThrowLastError(AsDetail(target_));
      bytes.remove_prefix(written);
    }
    if (!::FlushFileBuffers(file_.Get())) ThrowLastError(AsDetail(target_));
    file_.Reset();
  }

  // Puts the flushed replacement in the target's place.
  void Commit() {
    DWORD attributes = ::GetFileAttributesW(target_.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      DWORD error = ::GetLastError();
      if (error != ERROR_FILE_NOT_FOUND) ThrowWin32Error(error, AsDetail(target_));
      // No replace-existing flag: a file that appeared meanwhile is not overwritten.
      if (!::MoveFileExW(path_.c_str(), target_.c_str(), MOVEFILE_WRITE_THROUGH)) ThrowLastError(AsDetail(target_));
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
    if (!::ReplaceFileW(target_.c_str(), path_.c_str(), backupPath.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS,
                        nullptr, nullptr)) {
      DWORD error = ::GetLastError();
      if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        // The old file went to the backup name and the replacement could not
        // follow: put the old one back, or keep it there, the only copy, and
        // name it in the report.
        if (!::MoveFileExW(backupPath.c_str(), target_.c_str(), 0)) ThrowWin32Error(error, AsDetail(backupPath));
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

  const std::wstring& target_;
  std::wstring path_;
  UniqueFile file_;
  bool committed_ = false;
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
  UniqueFile file(::CreateFileW(ToWide(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) ThrowLastError(path);
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

void Win32FileStore::Save(std::u16string_view path, std::string_view bytes) {
  // Absolute, because Wine's ReplaceFileW fails on relative paths.
  const std::wstring target = FullPath(path);
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND) ThrowWin32Error(error, path);
  } else {
    // Refused here as Windows refuses to open them for writing. Wine would
    // overwrite a read-only file, so the attribute is checked by hand.
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) throw UnwritableTarget(Win32Error(ERROR_ACCESS_DENIED, path));
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
      throw UnwritableTarget(Win32Error(ERROR_ACCESS_DENIED, ReadOnlyDetail(path)));
    }
    // Fails now, before anything is written, when another program holds the
    // file or it cannot be written at all.
    UniqueFile probe(::CreateFileW(target.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe) ThrowLastError(path);
  }
  RemoveStaleSiblings(target, attributes != INVALID_FILE_ATTRIBUTES);
  Replacement replacement(target);
  replacement.Write(bytes);
  replacement.Commit();
}

bool Win32FileStore::RecoverInterruptedSave(std::u16string_view path) {
  const std::wstring target = FullPath(path);
  return ::GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES && ::GetLastError() == ERROR_FILE_NOT_FOUND &&
         RestoreStrandedBackup(target);
}

void Win32FileStore::Pause(std::chrono::milliseconds duration) { ::Sleep(static_cast<DWORD>(duration.count())); }

}  // namespace quellbrook::win32
