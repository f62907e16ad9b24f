#include "work_folder.h"

#include <algorithm>
#include <atomic>

namespace quellbrook::e2e {
namespace {

std::atomic<unsigned> folderCounter{0};

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

WorkFolder::WorkFolder() {
  wchar_t temp[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  if (length == 0 || length > MAX_PATH) return;
  const std::wstring base = std::wstring(temp, length) + L"quellbrook-e2e-" +
                            std::to_wstring(GetCurrentProcessId()) + L"-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring candidate = base + std::to_wstring(folderCounter++);
    if (CreateDirectoryW(candidate.c_str(), nullptr)) {
      path_ = candidate;
      return;
    }
  }
}

WorkFolder::~WorkFolder() {
  if (path_.empty()) return;
  // A process that was just ended may still hold a file for a moment.
  for (int attempt = 0; attempt < 50; ++attempt) {
    RemoveTree(path_);
    if (GetFileAttributesW(path_.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    Sleep(100);
  }
}

std::wstring WorkFolder::PathOf(std::wstring_view name) const {
  return path_ + L"\\" + std::wstring(name);
}

bool WorkFolder::Write(std::wstring_view name, std::string_view bytes) const {
  const HANDLE file = CreateFileW(PathOf(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()),
                                              &written, nullptr) &&
                                    written == bytes.size());
  CloseHandle(file);
  return ok;
}

std::optional<std::string> WorkFolder::Read(std::wstring_view name) const {
  const HANDLE file = CreateFileW(PathOf(name).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0) {
    bytes.append(buffer, got);
  }
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return bytes;
}

bool WorkFolder::Exists(std::wstring_view name) const {
  return Attributes(name) != INVALID_FILE_ATTRIBUTES;
}

bool WorkFolder::CopyIn(const std::wstring& source, std::wstring_view name) const {
  return CopyFileW(source.c_str(), PathOf(name).c_str(), FALSE) != 0;
}

DWORD WorkFolder::Attributes(std::wstring_view name) const {
  return GetFileAttributesW(PathOf(name).c_str());
}

bool WorkFolder::SetAttributes(std::wstring_view name, DWORD attributes) const {
  return SetFileAttributesW(PathOf(name).c_str(), attributes) != 0;
}

std::vector<std::wstring> WorkFolder::Names() const {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry;
  const HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

bool WorkFolder::WaitForFile(std::wstring_view name, DWORD timeoutMs) const {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    const std::optional<std::string> bytes = Read(name);
    if (bytes && !bytes->empty()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(50);
  }
}

}  // namespace quellbrook::e2e
