#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "platform/win32/unique_handle.h"

namespace quellbrook::test_support {
namespace {

using win32::UniqueFile;
using win32::UniqueFind;

// Calls `visit` with the name of every entry of `folder` but "." and "..".
template <typename Visit>
void ForEachEntry(const std::wstring& folder, Visit visit) {
  WIN32_FIND_DATAW entry{};
  UniqueFind find(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
  if (!find) return;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") visit(name, entry.dwFileAttributes);
  } while (::FindNextFileW(find.Get(), &entry));
}

void RemoveTree(const std::wstring& folder) {
  ForEachEntry(folder, [&](const std::wstring& name, DWORD attributes) {
    const std::wstring path = folder + L"\\" + name;
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      RemoveTree(path);
    } else {
      ::DeleteFileW(path.c_str());
    }
  });
  ::RemoveDirectoryW(folder.c_str());
}

}  // namespace

TempFolder::TempFolder(std::wstring_view prefix) {
  static std::atomic<unsigned> counter{0};
  wchar_t temp[MAX_PATH + 1] = {};
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
  if (length == 0 || length > MAX_PATH) {
    ADD_FAILURE() << "no temp directory, error " << ::GetLastError();
    return;
  }
  const std::wstring base = std::wstring(temp, length) + std::wstring(prefix) +
                            std::to_wstring(::GetCurrentProcessId()) + L"-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring candidate = base + std::to_wstring(counter++);
    if (::CreateDirectoryW(candidate.c_str(), nullptr)) {
      path_ = candidate;
      return;
    }
  }
  ADD_FAILURE() << "cannot create a test folder, error " << ::GetLastError();
}

TempFolder::~TempFolder() {
  if (path_.empty()) return;
  // A process that was just ended may still hold a file for a moment.
  for (int attempt = 0; attempt < 50; ++attempt) {
    RemoveTree(path_);
    if (!Exists(path_)) return;
    ::Sleep(100);
  }
}

std::vector<std::wstring> TempFolder::Names() const {
  std::vector<std::wstring> names;
  ForEachEntry(path_, [&](const std::wstring& name, DWORD) { names.push_back(name); });
  std::sort(names.begin(), names.end());
  return names;
}

bool WriteBytes(const std::wstring& path, std::string_view bytes) {
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
  if (!file) return false;
  DWORD written = 0;
  return bytes.empty() ||
         (::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
          written == bytes.size());
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  for (;;) {
    if (!::ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) return std::nullopt;
    if (read == 0) return bytes;
    bytes.append(buffer, read);
  }
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool WaitForFile(const std::wstring& path, DWORD timeoutMs) {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  for (;;) {
    const std::optional<std::string> bytes = ReadBytes(path);
    if (bytes && !bytes->empty()) return true;
    if (::GetTickCount64() >= deadline) return false;
    ::Sleep(50);
  }
}

std::wstring BesideThisProgram(std::wstring_view name) {
  wchar_t self[MAX_PATH * 4] = {};
  const std::wstring path(self, ::GetModuleFileNameW(nullptr, self, MAX_PATH * 4));
  return path.substr(0, path.find_last_of(L"\\/") + 1) + std::wstring(name);
}

}  // namespace quellbrook::test_support
