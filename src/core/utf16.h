#pragma once
// UTF-16 surrogates: a character beyond U+FFFF is a high unit (U+D800 to
// U+DBFF) followed by a low one (U+DC00 to U+DFFF); either alone is half a
// character.

#include <cstddef>
#include <string_view>

namespace quellbrook {

constexpr bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
constexpr bool IsSurrogate(char16_t unit) { return IsHighSurrogate(unit) || IsLowSurrogate(unit); }

// True when text[at] and text[at + 1] are the two halves of one character.
constexpr bool StartsSurrogatePair(std::u16string_view text, std::size_t at) {
  return at + 1 < text.size() && IsHighSurrogate(text[at]) && IsLowSurrogate(text[at + 1]);
}

// The character a surrogate pair stands for.
constexpr char32_t PairedCodePoint(char16_t high, char16_t low) {
  return 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) + (static_cast<char32_t>(low) - 0xDC00);
}

}  // namespace quellbrook
