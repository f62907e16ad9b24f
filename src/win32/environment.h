#pragma once

#include "forms/services.h"

namespace quellbrook::win32 {

class Win32Environment final : public Environment {
 public:
  std::u16string EnvironmentValue(std::u16string_view name) override;
};

}  // namespace quellbrook::win32
