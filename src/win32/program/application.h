#pragma once
// The Windows program: its services, its main window and the message loop.

#include <windows.h>

#include "forms/form_logic.h"

namespace quellbrook::win32 {

// Shows the main window and runs until the last of the program's windows is
// closed. Returns the process exit code; a failure that ends the program is
// reported in a box first.
int RunApplication(HINSTANCE instance, const WindowDefinition& main);

}  // namespace quellbrook::win32
