// quellbrook_window_probe [seconds]
// Waits (default 60 s) until a Quellbrook main window is on screen and has
// handled its pending messages, then prints its screen rectangle as
// WIDTHxHEIGHT+LEFT+TOP (ImageMagick's crop geometry). Exit code 1 on timeout.

#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "app_windows.h"

int wmain(int argc, wchar_t** argv) {
  using namespace quellbrook::e2e;
  const long seconds = argc > 1 ? std::wcstol(argv[1], nullptr, 10) : 60;
  const HWND form = WaitForTopLevelWindow(0, kFormClass, kMainCaption,
                                          static_cast<DWORD>(seconds > 0 ? seconds : 60) * 1000);
  if (!form) {
    std::fprintf(stderr, "no Quellbrook main window after %ld s\n", seconds);
    return 1;
  }
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(form, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
  RECT rect{};
  GetWindowRect(form, &rect);
  std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left,
              rect.top);
  return 0;
}
