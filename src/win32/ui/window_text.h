#pragma once

#include <windows.h>

#include <string>

namespace quellbrook::win32 {

// The whole text of a window or control.
std::wstring WindowText(HWND window);

}  // namespace quellbrook::win32
