#pragma once
// A fresh folder under the Windows temp directory that serves one test as the
// program's current directory, with byte-exact access to its files. Removed,
// with everything in it, when the test ends.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quellbrook::e2e {

class WorkFolder {
 public:
  WorkFolder();
  ~WorkFolder();
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  // Empty when the folder could not be created.
  const std::wstring& Path() const { return path_; }
  std::wstring PathOf(std::wstring_view name) const;

  bool Write(std::wstring_view name, std::string_view bytes) const;
  // The file's bytes, or nothing when it cannot be read.
  std::optional<std::string> Read(std::wstring_view name) const;
  bool Exists(std::wstring_view name) const;
  bool CopyIn(const std::wstring& source, std::wstring_view name) const;
  // INVALID_FILE_ATTRIBUTES when the file is missing.
  DWORD Attributes(std::wstring_view name) const;
  bool SetAttributes(std::wstring_view name, DWORD attributes) const;
  // Names of everything in the folder, hidden and system files included,
  // sorted.
  std::vector<std::wstring> Names() const;
  // Polls until the file exists and is not empty.
  bool WaitForFile(std::wstring_view name, DWORD timeoutMs) const;

 private:
  std::wstring path_;
};

}  // namespace quellbrook::e2e
