#include "win32/system/environment.h"

#include <windows.h>

#include "win32/system/wide_text.h"
#include "win32/system/win32_error.h"
#include "win32/system/wow64.h"

namespace quellbrook::win32 {

std::u16string Win32Environment::EnvironmentValue(std::u16string_view name) {
  std::wstring wideName = ToWide(name);
  std::wstring value(256, L'\0');
  for (;;) {
    ::SetLastError(ERROR_SUCCESS);
    DWORD length = ::GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) {
      DWORD error = ::GetLastError();
      if (error == ERROR_SUCCESS || error == ERROR_ENVVAR_NOT_FOUND) return {};
      ThrowWin32Error(error, name);
    }
    if (length < value.size()) {
      value.resize(length);
      return FromWide(value);
    }
    value.resize(length);  // too small: length counts the terminating NUL
  }
}

bool Win32Environment::Is32BitProgramOn64BitWindows() { return RunsUnderWow64(); }

}  // namespace quellbrook::win32
