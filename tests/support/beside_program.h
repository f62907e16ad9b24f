#pragma once
// A file that the build puts beside the running test program.

#include <string>
#include <string_view>

namespace quellbrook::test_support {

std::wstring BesideThisProgram(std::wstring_view name);

}  // namespace quellbrook::test_support
