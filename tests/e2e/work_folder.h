#pragma once
// A fresh folder that serves one test as the program's current directory, with
// byte-exact access to its files by name. Removed, with everything in it, when
// the test ends.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "beside_program.h"
#include "test_files.h"

namespace quellbrook::e2e {

class WorkFolder : public test_support::TempFolder {
 public:
  WorkFolder() : TempFolder("quellbrook-e2e-") {}

  bool Write(std::wstring_view name, std::string_view bytes) const {
    return test_support::WriteBytes(*this / name, bytes);
  }
  // The file's bytes, or nothing when it cannot be read.
  std::optional<std::string> Read(std::wstring_view name) const { return test_support::ReadBytes(*this / name); }
  bool Exists(std::wstring_view name) const { return test_support::Exists(*this / name); }
  bool CopyIn(const std::wstring& source, std::wstring_view name) const {
    return ::CopyFileW(source.c_str(), (*this / name).c_str(), FALSE) != 0;
  }
  // INVALID_FILE_ATTRIBUTES when the file is missing.
  DWORD Attributes(std::wstring_view name) const { return ::GetFileAttributesW((*this / name).c_str()); }
  bool SetAttributes(std::wstring_view name, DWORD attributes) const {
    return ::SetFileAttributesW((*this / name).c_str(), attributes) != 0;
  }
  // Polls until the file exists and is not empty.
  bool WaitForFile(std::wstring_view name, DWORD timeoutMs) const {
    return test_support::WaitForFile(*this / name, std::chrono::milliseconds(timeoutMs));
  }
};

}  // namespace quellbrook::e2e
