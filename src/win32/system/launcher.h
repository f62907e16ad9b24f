#pragma once
// Starts the batch scripts: always the system's own native cmd.exe, in a new
// console.

#include <string>

#include "forms/services.h"

namespace quellbrook::win32 {

// The full path of the system's cmd.exe of the machine's own architecture
// (the 64-bit one for the 32-bit program on 64-bit Windows). Naming it
// explicitly keeps a cmd.exe planted in the current directory from running.
std::wstring SystemCommandInterpreterPath();

class Win32Launcher final : public Launcher {
 public:
  // The command line must begin with "cmd"; the program launches nothing else.
  void LaunchCommand(std::u16string_view commandLine) override;
};

}  // namespace quellbrook::win32
