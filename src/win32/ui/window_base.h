#pragma once
// One window procedure for every window class of the program: it finds the
// C++ object that owns the window (passed through CREATESTRUCT, kept in
// GWLP_USERDATA) and hands it the message.

#include <windows.h>

namespace quellbrook::win32 {

// C++ exceptions must not unwind through the system's frames of a window
// procedure: the procedure keeps the first one and ends the message loop,
// which throws it again on the program's own stack with this.
void RethrowUnhandledException();

class WindowBase {
 public:
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  // Null once the window has been destroyed.
  HWND Handle() const noexcept { return window_; }
  bool IsOpen() const noexcept { return window_ != nullptr; }

 protected:
  WindowBase() = default;
  // Destroys a window that is still open without handing it any more messages:
  // the derived object is gone by now.
  ~WindowBase();

  // Registers a class whose windows use WindowBase's procedure; registering
  // the same class again does nothing.
  static void RegisterWindowClass(HINSTANCE instance, const wchar_t* className, int backgroundColor);

  // Creates the window and routes its messages, WM_NCCREATE on, to this object.
  void CreateWindowFor(HINSTANCE instance, const wchar_t* className, const wchar_t* title,
                       DWORD style, DWORD exStyle, const RECT& rect, HWND parent, int controlId);

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(window_, message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
};

}  // namespace quellbrook::win32
