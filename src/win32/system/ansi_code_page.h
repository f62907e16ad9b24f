#pragma once
// The system's ANSI code page (CP_ACP) as strict conversions.

#include "core/code_page.h"

namespace quellbrook::win32 {

class AnsiCodePage final : public CodePage {
 public:
  std::optional<std::u16string> Decode(std::string_view bytes) const override;
  std::optional<std::string> Encode(std::u16string_view text) const override;
  int MaxCharBytes() const override;
};

}  // namespace quellbrook::win32
