// The Windows program's entry point.

#include <windows.h>

#include "app/form1.h"
#include "win32/application.h"
#include "win32/dll_search.h"
#include "win32/startup_trace.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  quellbrook::win32::RestrictDllSearchToSystemFolder();
  quellbrook::win32::startup_trace::Begin();
  return quellbrook::win32::RunApplication(instance, quellbrook::kForm1Window);
}
