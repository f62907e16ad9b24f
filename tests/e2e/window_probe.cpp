// quellbrook_window_probe [seconds] [hosts|extra]
// Waits (default 60 s) until a Quellbrook main window is on screen and has
// handled its pending messages, then prints its screen rectangle as
// WIDTHxHEIGHT+LEFT+TOP (ImageMagick's crop geometry). With "hosts" it first
// presses "HOSTS迷你防火墙" and prints the HOSTS window's rectangle instead;
// with "extra" the same for "隔外优化" and its window.
// Exit code 1 on timeout.

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string_view>

#include "app_windows.h"

int wmain(int argc, wchar_t** argv) {
  using namespace quellbrook::e2e;
  const long seconds = argc > 1 ? std::wcstol(argv[1], nullptr, 10) : 60;
  const DWORD timeoutMs = static_cast<DWORD>(seconds > 0 ? seconds : 60) * 1000;
  const std::wstring_view other = argc > 2 ? std::wstring_view(argv[2]) : std::wstring_view();
  const bool openOther = other == L"hosts" || other == L"extra";
  const int buttonId = other == L"extra" ? 1004 : 1005;
  const std::wstring_view caption = other == L"extra" ? kTweaksCaption : kHostsCaption;
  HWND window = WaitForTopLevelWindow(0, kFormClass, kMainCaption, timeoutMs);
  if (!window) {
    std::fprintf(stderr, "no Quellbrook main window after %ld s\n", seconds);
    return 1;
  }
  DWORD_PTR ignored = 0;
  if (openOther) {
    const HWND button = GetDlgItem(window, buttonId);
    if (!button || !SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored)) {
      std::fprintf(stderr, "cannot press the button that opens the window\n");
      return 1;
    }
    window = WaitForTopLevelWindow(0, kFormClass, caption, timeoutMs);
    if (!window) {
      std::fprintf(stderr, "no such window after %ld s\n", seconds);
      return 1;
    }
  }
  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
  RECT rect{};
  GetWindowRect(window, &rect);
  std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left,
              rect.top);
  return 0;
}
