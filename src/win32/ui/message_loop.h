#pragma once
// The program's message loop: keyboard navigation inside our forms, and the
// keys that must not reach the standard controls.

#include <windows.h>

#include "win32/ui/form_tracker.h"

namespace quellbrook::win32 {

// Routes one message taken from the queue.
void RouteMessage(const FormTracker& forms, MSG& message);

// Runs until WM_QUIT; returns its exit code. An exception a window procedure
// kept is thrown from here.
int RunMessageLoop(const FormTracker& forms);

}  // namespace quellbrook::win32
