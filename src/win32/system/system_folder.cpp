#include "win32/system/system_folder.h"

#include <windows.h>

#include "win32/system/win32_error.h"

namespace quellbrook::win32 {
namespace {

// A folder query of the GetSystemDirectoryW kind, grown until it fits.
std::wstring QueryFolder(UINT(WINAPI* query)(LPWSTR, UINT)) {
  std::wstring directory(MAX_PATH, L'\0');
  for (;;) {
    UINT length = query(directory.data(), static_cast<UINT>(directory.size()));
    if (length == 0) ThrowLastError();
    if (length < directory.size()) {
      directory.resize(length);
      return directory;
    }
    directory.resize(length);  // too small: length is the size needed
  }
}

}  // namespace

std::wstring SystemFolder() { return QueryFolder(&::GetSystemDirectoryW); }

std::wstring WindowsFolder() { return QueryFolder(&::GetSystemWindowsDirectoryW); }

}  // namespace quellbrook::win32
