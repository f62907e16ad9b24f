#pragma once
// Which registry keys 64-bit Windows redirects for a 32-bit program (WOW64):
// a write or delete there lands in the 32-bit copy under WOW6432Node, which
// 64-bit Windows itself never reads.

#include <string_view>

namespace quellbrook {

// `key` names the root key in full ("HKEY_LOCAL_MACHINE\SOFTWARE\...") or by
// its short name ("HKLM\..."), without a value name or a final backslash.
// Follows Windows 7 and later, where registry reflection is gone and keys
// such as SOFTWARE\Classes and ...\CurrentVersion\Policies are shared.
bool Wow64RedirectsKey(std::u16string_view key);

}  // namespace quellbrook
