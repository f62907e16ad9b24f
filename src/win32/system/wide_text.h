#pragma once
// The logic's UTF-16 text and the Win32 API's wide strings are the same code
// units: wchar_t and char16_t are both 16 bits wide on Windows.

#include <string>
#include <string_view>

namespace quellbrook::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 code units");

// A NUL-terminated copy, for API calls that need one.
inline std::wstring ToWide(std::u16string_view text) {
  return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

inline std::u16string FromWide(std::wstring_view text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

}  // namespace quellbrook::win32
