#pragma once
// Starts the batch scripts: always the system's own cmd.exe, in a new console.

#include <string>

#include "forms/services.h"

namespace quellbrook::win32 {

// The full path of cmd.exe in the system directory. Naming it explicitly keeps
// a cmd.exe planted in the current directory from running instead.
std::wstring SystemCommandInterpreterPath();

class Win32Launcher final : public Launcher {
 public:
  // The command line must begin with "cmd"; the program launches nothing else.
  void LaunchCommand(std::u16string_view commandLine) override;
};

}  // namespace quellbrook::win32
