#pragma once
// Whether the system has a font face, asked once per face and process: the
// answer cannot change while the program runs in a way it would notice.

#include <string_view>

namespace quellbrook::win32 {

// The name the system lists `face` under: the name itself, or its English
// name on Windows that list only that; empty when the face is not installed.
std::u16string_view InstalledFaceName(std::u16string_view face);

}  // namespace quellbrook::win32
