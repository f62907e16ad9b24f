#include "core/number_text.h"

#include <algorithm>

namespace quellbrook {

std::u16string DecimalText(std::uint64_t value) {
  std::u16string digits;
  do {
    digits += static_cast<char16_t>(u'0' + value % 10);
    value /= 10;
  } while (value != 0);
  std::reverse(digits.begin(), digits.end());
  return digits;
}

std::u16string HexText(std::uint32_t value, int minDigits) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string digits;
  do {
    digits += kDigits[value & 0xF];
    value >>= 4;
  } while (value != 0);
  while (static_cast<int>(digits.size()) < minDigits) digits += u'0';
  std::reverse(digits.begin(), digits.end());
  return digits;
}

}  // namespace quellbrook
