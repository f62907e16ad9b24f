#pragma once
// Numbers written into UTF-16 messages.

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>

namespace quellbrook {

// Digits in `base`, upper-case, at least `minDigits` of them.
inline std::u16string NumberDigits(std::uint64_t value, int base, int minDigits = 1) {
  char digits[64];
  const char* end = std::to_chars(digits, digits + sizeof digits, value, base).ptr;
  std::u16string text(static_cast<std::size_t>(std::max<long>(minDigits - (end - digits), 0)), u'0');
  for (const char* digit = digits; digit != end; ++digit) {
    text += static_cast<char16_t>(*digit >= 'a' ? *digit - 'a' + 'A' : *digit);
  }
  return text;
}

inline std::u16string DecimalText(std::uint64_t value) { return NumberDigits(value, 10); }
inline std::u16string HexText(std::uint32_t value, int minDigits) { return NumberDigits(value, 16, minDigits); }

}  // namespace quellbrook
