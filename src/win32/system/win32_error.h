#pragma once
// The Win32 layer's single error policy: a failing call becomes a
// quellbrook::PlatformError right where it fails, with the system's number
// and wording and, where useful, what the call was working on.

#include <windows.h>

#include <string_view>

#include "core/failure.h"

namespace quellbrook::win32 {

[[noreturn]] void ThrowWin32Error(DWORD code, std::u16string_view detail = {});

// GetLastError() of the call that just failed. Some calls (GDI) fail without
// setting it; they are reported as ERROR_CAN_NOT_COMPLETE.
[[noreturn]] void ThrowLastError(std::u16string_view detail = {});

void ThrowIfFailed(HRESULT result, std::u16string_view detail = {});

}  // namespace quellbrook::win32
