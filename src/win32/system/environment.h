#pragma once
// The process environment and what Windows tells the process about itself.

#include "forms/services.h"

namespace quellbrook::win32 {

// Whether this process is a 32-bit program on 64-bit Windows (WOW64), where
// Windows redirects system32 and parts of HKEY_LOCAL_MACHINE\SOFTWARE to their
// 32-bit copies.
bool RunsUnderWow64();

class Win32Environment final : public Environment {
 public:
  std::u16string EnvironmentValue(std::u16string_view name) override;
  bool Is32BitProgramOn64BitWindows() override;
};

}  // namespace quellbrook::win32
