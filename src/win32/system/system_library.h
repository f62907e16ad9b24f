#pragma once
// A library of the system, loaded at run time from the system folder only:
// never from the program's or the current folder, where anybody could have put
// a DLL of that name. Freed with its owner.

#include <windows.h>

#include "win32/system/unique_handle.h"

namespace quellbrook::win32 {

class SystemLibrary {
 public:
  // Throws PlatformError when the library cannot be loaded (missing: 126).
  explicit SystemLibrary(const wchar_t* name);

  // The exported function `name`, as a pointer of type Function such as
  // decltype(&::CoInitializeEx). Throws PlatformError (127) when it is missing.
  template <typename Function>
  Function Export(const char* name) const {
    // Through the generic function pointer type, which converts without warnings.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(Address(name)));
  }

 private:
  FARPROC Address(const char* name) const;

  UniqueModule module_;
};

}  // namespace quellbrook::win32
