#pragma once
// Code page 936 bytes of a text, for building files in the Linux tests.

#include <string>
#include <string_view>

namespace quellbrook::test_support {

std::string Gbk(std::u16string_view text);

}  // namespace quellbrook::test_support
