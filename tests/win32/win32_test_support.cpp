#include "win32_test_support.h"

#include <gtest/gtest.h>

namespace quellbrook::win32::testing {

std::u16string U16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

CurrentDirectoryScope::CurrentDirectoryScope(const std::wstring& directory) {
  wchar_t previous[MAX_PATH + 1] = {};
  previous_.assign(previous, ::GetCurrentDirectoryW(MAX_PATH + 1, previous));
  EXPECT_TRUE(::SetCurrentDirectoryW(directory.c_str()));
}

CurrentDirectoryScope::~CurrentDirectoryScope() { ::SetCurrentDirectoryW(previous_.c_str()); }

}  // namespace quellbrook::win32::testing
