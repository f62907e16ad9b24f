#pragma once
// The program runs elevated from a folder anybody may write to (Downloads):
// a DLL that the system loads by name on the program's behalf (the theme
// library, the composition library, ...) must come from the system folder,
// never from beside the exe.

namespace quellbrook::win32 {

// Limits every later load by bare name to the system folder. Call it first,
// before anything can load a library.
void RestrictDllSearchToSystemFolder() noexcept;

}  // namespace quellbrook::win32
