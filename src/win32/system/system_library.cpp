#include "win32/system/system_library.h"

#include <string>

#include "win32/system/system_folder.h"
#include "win32/system/wide_text.h"
#include "win32/system/win32_error.h"

namespace quellbrook::win32 {
namespace {

std::u16string NameOf(const char* name) {
  std::u16string wide;
  for (const char* c = name; *c != '\0'; ++c) wide += static_cast<char16_t>(static_cast<unsigned char>(*c));
  return wide;
}

}  // namespace

SystemLibrary::SystemLibrary(const wchar_t* name)
    : module_(::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
  if (!module_ && ::GetLastError() == ERROR_INVALID_PARAMETER) {
    // Windows 7 without update KB2533623 knows no search flags: the full path
    // into the system folder, whose dependencies load from there as well.
    std::wstring path = SystemFolder() + L"\\" + name;
    module_.Reset(::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  }
  if (!module_) ThrowLastError(FromWide(name));
}

FARPROC SystemLibrary::Address(const char* name) const {
  FARPROC address = ::GetProcAddress(module_.Get(), name);
  if (address == nullptr) ThrowLastError(NameOf(name));
  return address;
}

}  // namespace quellbrook::win32
