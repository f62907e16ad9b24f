#pragma once
// A frame: a captioned group box that contains other controls. Unlike the
// system's group box it is a real parent window, so the controls inside move,
// hide and disable with it, and tab navigation enters it (WS_EX_CONTROLPARENT).
// The notifications of its controls go on to the form.

#include <windows.h>

#include "forms/form_table.h"
#include "win32/window_base.h"

namespace quellbrook::win32 {

inline constexpr wchar_t kFrameClassName[] = L"QuellbrookFrame";

class FrameWindow final : public WindowBase {
 public:
  // `style` carries the visibility and enabled bits of the control's table row.
  FrameWindow(HINSTANCE instance, HWND parent, const ControlRow& row, DWORD style, const RECT& rect);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint();

  HFONT font_ = nullptr;  // owned by the form
};

}  // namespace quellbrook::win32
