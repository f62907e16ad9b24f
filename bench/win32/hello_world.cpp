// The start-up benchmark's yardsticks, with Quellbrook's manifest: a window
// with one button and nothing else, and (built with QUELLBROOK_HELLO_CONTROLS)
// a window of the main window's size with as many controls of each kind,
// hidden ones too, in the default font with Latin text. Its window has the
// class and caption of Quellbrook's main window, so the benchmark finds both
// alike.

#include <windows.h>

namespace {

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

#ifdef QUELLBROOK_HELLO_CONTROLS
struct ControlKind {
  const wchar_t* windowClass;
  DWORD style;
  int count;
  int hidden;
};

// Frames become group boxes.
constexpr ControlKind kMainWindowControls[] = {
    {L"BUTTON", BS_GROUPBOX, 4, 2},
    {L"BUTTON", BS_PUSHBUTTON, 20, 8},
    {L"BUTTON", BS_AUTOCHECKBOX, 20, 0},
    {L"EDIT", ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL | WS_DISABLED, 3, 2},
};
constexpr wchar_t kLines[] =
    L"One\r\nTwo\r\nThree\r\nFour\r\nFive\r\nSix\r\nSeven\r\nEight\r\nNine\r\nTen\r\nEleven\r\nTwelve\r\n";

// Text boxes fill the right half, as the main window's panels do; the rest
// lie in three columns on the left.
void CreateControls(HWND window, HINSTANCE instance) {
  int cell = 0;
  for (const ControlKind& kind : kMainWindowControls) {
    const bool textBox = kind.windowClass[0] == L'E';
    for (int i = 0; i < kind.count; ++i) {
      DWORD style = WS_CHILD | WS_TABSTOP | kind.style | (i < kind.count - kind.hidden ? WS_VISIBLE : 0);
      RECT rect = textBox ? RECT{310, 8, 600, 344} : RECT{8 + cell % 3 * 100, 8 + cell / 3 * 22, 0, 0};
      if (!textBox) {
        rect.right = rect.left + 96;
        rect.bottom = rect.top + 20;
        ++cell;
      }
      CreateWindowExW(0, kind.windowClass, textBox ? kLines : L"Hello", style, rect.left, rect.top,
                      rect.right - rect.left, rect.bottom - rect.top, window, nullptr, instance, nullptr);
    }
  }
}
constexpr int kClientWidth = 608;
constexpr int kClientHeight = 354;
#else
void CreateControls(HWND window, HINSTANCE instance) {
  CreateWindowExW(0, L"BUTTON", L"Hello", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 100, 70, 120, 30, window,
                  nullptr, instance, nullptr);
}
constexpr int kClientWidth = 320;
constexpr int kClientHeight = 200;
#endif

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = L"QuellbrookForm";
  if (RegisterClassExW(&windowClass) == 0) return 1;
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND window = CreateWindowExW(0, L"QuellbrookForm", L"Quellbrook", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                                nullptr);
  if (window == nullptr) return 1;
  CreateControls(window, instance);
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
