#pragma once
// Numbers written into UTF-16 messages.

#include <cstdint>
#include <string>

namespace quellbrook {

std::u16string DecimalText(std::uint64_t value);
// Upper-case hex digits, at least `minDigits` of them.
std::u16string HexText(std::uint32_t value, int minDigits);

}  // namespace quellbrook
