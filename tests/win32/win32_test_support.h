#pragma once
// Small helpers of the Win32 layer's tests.

#include <windows.h>

#include <string>

namespace quellbrook::test_support {

std::u16string U16(const std::wstring& text);

// Keeps the current directory while a test changes it.
class CurrentFolderScope {
 public:
  explicit CurrentFolderScope(const std::wstring& directory);
  ~CurrentFolderScope();
  CurrentFolderScope(const CurrentFolderScope&) = delete;
  CurrentFolderScope& operator=(const CurrentFolderScope&) = delete;

 private:
  std::wstring previous_;
};

}  // namespace quellbrook::test_support
