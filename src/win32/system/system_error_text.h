#pragma once
// The system's own wording of an error number, and PlatformErrors built from it.

#include <windows.h>

#include <string>
#include <string_view>

#include "core/failure.h"

namespace quellbrook::win32 {

// FormatMessage's text for a Win32 error code or an HRESULT, without the
// trailing line break; a general text when the system has none.
std::u16string SystemErrorText(std::uint32_t number);

// A PlatformError for `number`, described in the system's words plus an
// optional detail that names what the operation was working on.
PlatformError Win32Error(std::uint32_t number, std::u16string_view detail = {});

}  // namespace quellbrook::win32
