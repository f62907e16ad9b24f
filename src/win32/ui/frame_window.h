#pragma once
// A frame: a captioned group box that contains other controls. Unlike the
// system's group box it is a real parent window, so the controls inside move,
// hide and disable with it, and tab navigation enters it (WS_EX_CONTROLPARENT).
// The notifications of its controls go on to the form.

#include <windows.h>

#include "forms/form_table.h"
#include "win32/ui/window_base.h"

namespace quellbrook::win32 {

inline constexpr wchar_t kFrameClassName[] = L"QuellbrookFrame";

class FrameWindow final : public WindowBase {
 public:
  // `style` carries the visibility and enabled bits of the control's table row;
  // `dpi` is the form's, which lays out the frame's caption as it does the rest.
  FrameWindow(HINSTANCE instance, HWND parent, const ControlRow& row, DWORD style, const RECT& rect, UINT dpi);

  void SetDpi(UINT dpi) { dpi_ = dpi; }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint();

  HFONT font_ = nullptr;  // owned by the form
  UINT dpi_;
};

}  // namespace quellbrook::win32
