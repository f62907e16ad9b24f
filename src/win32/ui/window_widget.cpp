#include "win32/ui/window_widget.h"

#include "win32/system/wide_text.h"
#include "win32/system/win32_error.h"
#include "win32/ui/window_text.h"

namespace quellbrook::win32 {

std::u16string WindowWidget::Text() const { return FromWide(WindowText(window_)); }

void WindowWidget::SetText(std::u16string_view text) {
  if (!::SetWindowTextW(window_, ToWide(text).c_str())) ThrowLastError();
}

bool WindowWidget::Enabled() const { return ::IsWindowEnabled(window_) != FALSE; }

void WindowWidget::SetEnabled(bool enabled) { ::EnableWindow(window_, enabled ? TRUE : FALSE); }

bool WindowWidget::Visible() const {
  return (::GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void WindowWidget::SetVisible(bool visible) { ::ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE); }

int WindowWidget::CheckValue() const {
  return ::SendMessageW(window_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void WindowWidget::SetCheckValue(int value) {
  // BM_SETCHECK changes the box without a click notification.
  ::SendMessageW(window_, BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace quellbrook::win32
