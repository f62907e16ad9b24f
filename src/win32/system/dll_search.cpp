#include "win32/system/dll_search.h"

#include <windows.h>

namespace quellbrook::win32 {

void RestrictDllSearchToSystemFolder() noexcept {
  // Looked up, not imported: Windows 7 without update KB2533623 lacks it, and
  // the exe must still start there.
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
      reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"),
                                                    "SetDefaultDllDirectories")));
  if (setDefaultDllDirectories != nullptr && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  // All that such a Windows 7 allows: the current folder leaves the search;
  // the exe's own folder stays first in it.
  ::SetDllDirectoryW(L"");
}

}  // namespace quellbrook::win32
