#include "test_folder.h"

#include <gtest/gtest.h>

#include <atomic>

#include "platform/win32/unique_handle.h"

namespace quellbrook::win32::testing {
namespace {

void DeleteTree(const std::wstring& path) {
  WIN32_FIND_DATAW entry{};
  UniqueFind find(::FindFirstFileW((path + L"\\*").c_str(), &entry));
  if (find) {
    do {
      std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring child = path + L"\\" + name;
      ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        DeleteTree(child);
      } else {
        ::DeleteFileW(child.c_str());
      }
    } while (::FindNextFileW(find.Get(), &entry));
  }
  ::RemoveDirectoryW(path.c_str());
}

}  // namespace

TestFolder::TestFolder() {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH + 1] = {};
  DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
  std::wstring base(temp, length);
  path_ = base + L"qb-win32-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
  if (!::CreateDirectoryW(path_.c_str(), nullptr)) {
    ADD_FAILURE() << "cannot create the test folder, error " << ::GetLastError();
  }
}

TestFolder::~TestFolder() { DeleteTree(path_); }

std::vector<std::wstring> TestFolder::Entries() const {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW entry{};
  UniqueFind find(::FindFirstFileW((path_ + L"\\*").c_str(), &entry));
  if (!find) return names;
  do {
    std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (::FindNextFileW(find.Get(), &entry));
  return names;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
  ASSERT_TRUE(file) << "error " << ::GetLastError();
  DWORD written = 0;
  ASSERT_TRUE(::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  ASSERT_EQ(written, bytes.size());
}

std::string ReadBytes(const std::wstring& path) {
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    ADD_FAILURE() << "cannot open the file, error " << ::GetLastError();
    return {};
  }
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read != 0) bytes.append(buffer, read);
  return bytes;
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::u16string U16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

CurrentDirectoryScope::CurrentDirectoryScope(const std::wstring& directory) {
  wchar_t previous[MAX_PATH + 1] = {};
  previous_.assign(previous, ::GetCurrentDirectoryW(MAX_PATH + 1, previous));
  EXPECT_TRUE(::SetCurrentDirectoryW(directory.c_str()));
}

CurrentDirectoryScope::~CurrentDirectoryScope() { ::SetCurrentDirectoryW(previous_.c_str()); }

}  // namespace quellbrook::win32::testing
