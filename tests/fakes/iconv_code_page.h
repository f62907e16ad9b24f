#pragma once
// A code page through glibc's iconv, standing in for the Windows ANSI code page
// in the native build (code page 936 is "CP936" there).

#include <iconv.h>

#include <string>

#include "core/code_page.h"

namespace quellbrook {

class IconvCodePage final : public CodePage {
 public:
  IconvCodePage(const char* encoding, int maxCharBytes);
  ~IconvCodePage() override;
  IconvCodePage(const IconvCodePage&) = delete;
  IconvCodePage& operator=(const IconvCodePage&) = delete;

  std::optional<std::u16string> Decode(std::string_view bytes) const override;
  std::optional<std::string> Encode(std::u16string_view text) const override;
  int MaxCharBytes() const override { return maxCharBytes_; }

 private:
  iconv_t decoder_;
  iconv_t encoder_;
  int maxCharBytes_;
};

}  // namespace quellbrook
