#pragma once
// Shared by the Windows test programs: a fresh folder under the Windows temp
// directory for one test, removed with everything in it afterwards, and plain
// file access that bypasses the code under test.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quellbrook::test_support {

class TempFolder {
 public:
  // The folder's name starts with `prefix`; a failure to create it fails the test.
  explicit TempFolder(std::wstring_view prefix);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Empty when the folder could not be created.
  const std::wstring& Path() const { return path_; }
  std::wstring operator/(std::wstring_view name) const { return path_ + L"\\" + std::wstring(name); }
  // Names of everything inside, hidden and system files included, sorted.
  std::vector<std::wstring> Names() const;

 private:
  std::wstring path_;
};

bool WriteBytes(const std::wstring& path, std::string_view bytes);
// The file's bytes, or nothing when it cannot be read.
std::optional<std::string> ReadBytes(const std::wstring& path);
bool Exists(const std::wstring& path);
// Polls until the file exists and is not empty.
bool WaitForFile(const std::wstring& path, DWORD timeoutMs);
// A file that the build puts beside the running test program.
std::wstring BesideThisProgram(std::wstring_view name);

}  // namespace quellbrook::test_support
