#pragma once
// Conversions between the tests' kinds of text: Windows' wide text and the
// logic's UTF-16 (both are UTF-16 there), and UTF-8 for failure messages,
// which GoogleTest prints as narrow text.

#include <string>
#include <string_view>

#include "core/utf16.h"

namespace quellbrook::test_support {

inline std::u16string U16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }
inline std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// A lone surrogate becomes U+FFFD.
inline std::string Utf8(std::u16string_view text) {
  std::string utf8;
  for (std::size_t at = 0; at < text.size(); ++at) {
    char32_t c = text[at];
    if (StartsSurrogatePair(text, at)) {
      c = PairedCodePoint(text[at], text[at + 1]);
      ++at;
    } else if (IsSurrogate(text[at])) {
      c = 0xFFFD;
    }
    // A lead byte, then six bits a byte.
    const int tail = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    static constexpr unsigned char kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
    utf8 += static_cast<char>(kLead[tail] | c >> (6 * tail));
    for (int shift = 6 * (tail - 1); shift >= 0; shift -= 6) utf8 += static_cast<char>(0x80 | (c >> shift & 0x3F));
  }
  return utf8;
}

#ifdef _WIN32
inline std::string Utf8(std::wstring_view text) { return Utf8(std::u16string(text.begin(), text.end())); }
#endif

}  // namespace quellbrook::test_support
