// The exe's load configuration. Windows 10 1607 and later read its
// DependentLoadFlags for the imports they resolve before the entry point, which
// RestrictDllSearchToSystemFolder comes too late for. The PE directory points
// at the symbol _load_config_used, with the structure's first field as its
// size: GNU ld 2.40 leaves it empty, so cmake/pe_load_config.py sets it.

#include <windows.h>

#include <cstddef>

namespace {

// The x86 structure ends before its safe exception handler fields: an image
// without them is one built without SafeSEH, as GCC's code is, and its
// exception handlers stay valid. The 64 bytes still cover DependentLoadFlags.
#ifdef _WIN64
constexpr DWORD kLoadConfigSize = sizeof(IMAGE_LOAD_CONFIG_DIRECTORY);
#else
constexpr DWORD kLoadConfigSize = offsetof(IMAGE_LOAD_CONFIG_DIRECTORY, SEHandlerTable);
#endif

constexpr IMAGE_LOAD_CONFIG_DIRECTORY LoadConfiguration() {
  IMAGE_LOAD_CONFIG_DIRECTORY config{};
  config.Size = kLoadConfigSize;
  // DependentLoadFlags in Windows' own headers; MinGW's still call it Reserved1.
  config.Reserved1 = LOAD_LIBRARY_SEARCH_SYSTEM32;
  // SecurityCookie stays null: MinGW's runtime keeps no /GS cookie for the
  // loader to set up.
  return config;
}

}  // namespace

extern "C" {
// The name ld looks for; on x86 the C name gets the leading underscore ld expects.
extern const IMAGE_LOAD_CONFIG_DIRECTORY _load_config_used;
const IMAGE_LOAD_CONFIG_DIRECTORY _load_config_used = LoadConfiguration();
}
