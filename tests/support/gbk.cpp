#include "gbk.h"

#include <optional>
#include <stdexcept>

#include "fakes/iconv_code_page.h"

namespace quellbrook::test_support {

std::string Gbk(std::u16string_view text) {
  static const IconvCodePage codePage("CP936", 2);
  std::optional<std::string> bytes = codePage.Encode(text);
  if (!bytes) throw std::runtime_error("not representable in code page 936");
  return *bytes;
}

}  // namespace quellbrook::test_support
