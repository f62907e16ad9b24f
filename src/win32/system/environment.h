#pragma once
// The process environment and what Windows tells the process about itself.

#include "forms/services.h"

namespace quellbrook::win32 {

class Win32Environment final : public Environment {
 public:
  std::u16string EnvironmentValue(std::u16string_view name) override;
  bool Is32BitProgramOn64BitWindows() override;
};

}  // namespace quellbrook::win32
