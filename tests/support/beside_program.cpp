#include "beside_program.h"

#include <windows.h>

namespace quellbrook::test_support {

std::wstring BesideThisProgram(std::wstring_view name) {
  wchar_t self[MAX_PATH * 4] = {};
  const std::wstring path(self, ::GetModuleFileNameW(nullptr, self, MAX_PATH * 4));
  return path.substr(0, path.find_last_of(L"\\/") + 1) + std::wstring(name);
}

}  // namespace quellbrook::test_support
