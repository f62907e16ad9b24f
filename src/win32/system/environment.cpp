#include "win32/system/environment.h"

#include <windows.h>

#include "win32/system/wide_text.h"
#include "win32/system/win32_error.h"

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

bool RunsUnderWow64() {
  // IsWow64Process rather than IsWow64Process2, which Windows 7 lacks. On
  // 64-bit Windows on Arm it is TRUE for an x86 process as well, and the same
  // redirections apply there.
  static const bool underWow64 = [] {
    BOOL wow64 = FALSE;
    if (!::IsWow64Process(::GetCurrentProcess(), &wow64)) ThrowLastError(u"IsWow64Process");
    return wow64 != FALSE;
  }();
  return underWow64;
}

bool Win32Environment::Is32BitProgramOn64BitWindows() { return RunsUnderWow64(); }

}  // namespace quellbrook::win32
