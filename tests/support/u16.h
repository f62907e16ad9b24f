#pragma once
// Windows' wide text as the logic's UTF-16 text (both are UTF-16 there).

#include <string>
#include <string_view>

namespace quellbrook::test_support {

inline std::u16string U16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

}  // namespace quellbrook::test_support
