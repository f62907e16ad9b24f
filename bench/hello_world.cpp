// The start-up benchmark's yardstick: a window with one button and nothing
// else, with Quellbrook's manifest. Its window has the class and caption of
// Quellbrook's main window, so the benchmark finds both alike, and it marks
// the steps it shares with Quellbrook in the same opt-in trace.

#include <windows.h>

#include "win32/startup_trace.h"
#ifdef QUELLBROOK_HELLO_IMPORTS_COM
#include <objbase.h>
#include <oleauto.h>
#endif

namespace {

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
  namespace startup_trace = quellbrook::win32::startup_trace;
  startup_trace::Begin();
#ifdef QUELLBROOK_HELLO_IMPORTS_COM
  // Imports the COM libraries without using them; never true.
  if (commandLine[0] == L'\1') {
    CoUninitialize();
    SysFreeString(nullptr);
  }
#else
  (void)commandLine;
#endif
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = L"QuellbrookForm";
  if (RegisterClassExW(&windowClass) == 0) return 1;
  HWND window = CreateWindowExW(0, L"QuellbrookForm", L"Quellbrook", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                CW_USEDEFAULT, CW_USEDEFAULT, 320, 200, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  startup_trace::Mark("window");
  CreateWindowExW(0, L"BUTTON", L"Hello", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 100, 70, 120, 30, window,
                  nullptr, instance, nullptr);
  startup_trace::Mark("control: button");
  ShowWindow(window, showCommand);
  startup_trace::Mark("show");
  UpdateWindow(window);
  startup_trace::Mark("first paint");
  startup_trace::End();
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
