#pragma once
// A fresh folder under %TEMP% for one test, deleted with everything in it
// afterwards, and plain file helpers that bypass the code under test.

#include <windows.h>

#include <string>
#include <vector>

namespace quellbrook::win32::testing {

class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::wstring& Path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
  // Names of the files and folders inside, "." and ".." left out.
  std::vector<std::wstring> Entries() const;

 private:
  std::wstring path_;
};

void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
bool Exists(const std::wstring& path);
std::u16string U16(const std::wstring& text);

// Keeps the current directory while a test changes it.
class CurrentDirectoryScope {
 public:
  explicit CurrentDirectoryScope(const std::wstring& directory);
  ~CurrentDirectoryScope();
  CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
  CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

 private:
  std::wstring previous_;
};

}  // namespace quellbrook::win32::testing
