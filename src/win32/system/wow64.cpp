#include "win32/system/wow64.h"

#include <windows.h>

#include "win32/system/win32_error.h"

namespace quellbrook::win32 {

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

}  // namespace quellbrook::win32
