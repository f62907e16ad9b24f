#pragma once
// The class a window was registered with, as another program sees it.

#include <windows.h>

#include <string>

namespace quellbrook::test_support {

inline std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  const int length = ::GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? length : 0);
}

}  // namespace quellbrook::test_support
