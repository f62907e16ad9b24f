#include "win32/system/win32_error.h"

#include "win32/system/system_error_text.h"

namespace quellbrook::win32 {

void ThrowWin32Error(DWORD code, std::u16string_view detail) { throw Win32Error(code, detail); }

void ThrowLastError(std::u16string_view detail) {
  DWORD code = ::GetLastError();
  ThrowWin32Error(code != ERROR_SUCCESS ? code : ERROR_CAN_NOT_COMPLETE, detail);
}

void ThrowIfFailed(HRESULT result, std::u16string_view detail) {
  if (FAILED(result)) throw Win32Error(static_cast<std::uint32_t>(result), detail);
}

}  // namespace quellbrook::win32
