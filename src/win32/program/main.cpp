// The Windows program's entry point.

#include <windows.h>

#include "app/form1.h"
#include "win32/program/application.h"
#include "win32/system/dll_search.h"
#include "win32/system/startup_trace.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  quellbrook::win32::RestrictDllSearchToSystemFolder();
  quellbrook::win32::startup_trace::Begin();
  return quellbrook::win32::RunApplication(instance, quellbrook::kForm1Window);
}
