#pragma once

#include <windows.h>

#include <string>

namespace quellbrook::win32 {

// The whole text of a window or control.
inline std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  const int copied = ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

}  // namespace quellbrook::win32
