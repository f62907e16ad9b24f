#pragma once
// Whether this process is a 32-bit program on 64-bit Windows (WOW64), where
// Windows redirects system32 and parts of HKEY_LOCAL_MACHINE\SOFTWARE to their
// 32-bit copies.

namespace quellbrook::win32 {

bool RunsUnderWow64();

}  // namespace quellbrook::win32
