#pragma once
// The system's own folders, by full path, whatever their length.

#include <string>

namespace quellbrook::win32 {

// GetSystemDirectoryW: system32 (for a 32-bit process on 64-bit Windows a name
// that Windows redirects to syswow64).
std::wstring SystemFolder();
// GetSystemWindowsDirectoryW: the shared Windows folder. GetWindowsDirectoryW
// would give a private folder of the user under Terminal Services.
std::wstring WindowsFolder();

}  // namespace quellbrook::win32
