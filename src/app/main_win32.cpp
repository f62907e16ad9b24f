// The Windows program's entry point.

#include <windows.h>

#include "app/form1.h"
#include "hosts/form3.h"
#include "platform/win32/application.h"
#include "tweaks/form2.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return quellbrook::win32::RunApplication(instance, quellbrook::kForm1Window, quellbrook::kForm2Window,
                                           quellbrook::kForm3Window);
}
