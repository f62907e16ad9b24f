// The Windows program's entry point.

#include <windows.h>

#include "app/form1.h"
#include "win32/program/application.h"
#include "win32/system/dll_search.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  quellbrook::win32::RestrictDllSearchToSystemFolder();
  return quellbrook::win32::RunApplication(instance, quellbrook::kForm1Window);
}
