#include "win32/ui/window_base.h"

#include <exception>
#include <utility>

#include "win32/system/win32_error.h"

namespace quellbrook::win32 {
namespace {

// The UI has a single thread; only it runs window procedures.
std::exception_ptr unhandled;

}  // namespace

void RethrowUnhandledException() {
  if (std::exception_ptr kept = std::exchange(unhandled, nullptr)) std::rethrow_exception(kept);
}

WindowBase::~WindowBase() {
  if (window_ != nullptr) {
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    ::DestroyWindow(window_);
  }
}

void WindowBase::RegisterWindowClass(HINSTANCE instance, const wchar_t* className, int backgroundColor) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &WindowBase::WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = ::GetSysColorBrush(backgroundColor);
  windowClass.lpszClassName = className;
  if (::RegisterClassExW(&windowClass) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    ThrowLastError();
  }
}

void WindowBase::CreateWindowFor(HINSTANCE instance, const wchar_t* className, const wchar_t* title,
                                 DWORD style, DWORD exStyle, const RECT& rect, HWND parent,
                                 int controlId) {
  HMENU menu = (style & WS_CHILD) != 0 ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)) : nullptr;
  HWND window = ::CreateWindowExW(exStyle, className, title, style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent, menu,
                                  instance, this);
  if (window == nullptr) ThrowLastError();
}

LRESULT CALLBACK WindowBase::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowBase* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);

  LRESULT result = 0;
  try {
    result = self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    if (!unhandled) unhandled = std::current_exception();
    ::PostQuitMessage(1);
    result = ::DefWindowProcW(window, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
  }
  return result;
}

}  // namespace quellbrook::win32
