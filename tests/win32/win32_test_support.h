#pragma once
// Small helpers of the Win32 layer's tests.

#include <windows.h>

#include <string>

namespace quellbrook::win32::testing {

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
