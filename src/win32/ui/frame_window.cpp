#include "win32/ui/frame_window.h"

#include <algorithm>
#include <string>

#include "forms/frame_caption.h"
#include "win32/ui/device_context.h"
#include "win32/ui/dpi.h"
#include "win32/system/wide_text.h"
#include "win32/ui/window_text.h"

namespace quellbrook::win32 {

FrameWindow::FrameWindow(HINSTANCE instance, HWND parent, const ControlRow& row, DWORD style,
                         const RECT& rect, UINT dpi)
    : dpi_(dpi) {
  RegisterWindowClass(instance, kFrameClassName, COLOR_BTNFACE);
  CreateWindowFor(instance, kFrameClassName, ToWide(row.caption).c_str(),
                  style | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, rect,
                  parent, ToInt(row.id));
}

LRESULT FrameWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_NEXTDLGCTL:
      return ::SendMessageW(::GetParent(Handle()), message, wParam, lParam);
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam) != 0) ::InvalidateRect(Handle(), nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT:
    case WM_ENABLE: {
      LRESULT result = DefaultHandling(message, wParam, lParam);
      ::InvalidateRect(Handle(), nullptr, TRUE);
      return result;
    }
    case WM_CLOSE:
      // A multi-line text box closes its parent on Escape when it believes it
      // sits in a dialog; a frame is never closed on its own.
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

void FrameWindow::Paint() {
  PaintScope paint(Handle());
  HDC dc = paint.Dc();
  RECT client{};
  ::GetClientRect(Handle(), &client);
  HGDIOBJ font = font_ != nullptr ? static_cast<HGDIOBJ>(font_) : ::GetStockObject(DEFAULT_GUI_FONT);
  SelectedObject selectedFont(dc, font);

  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  RECT box = client;
  box.top += metrics.tmHeight / 2;
  ::DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);

  std::wstring caption = WindowText(Handle());
  if (caption.empty()) return;
  int inset = ScaleFrom96Dpi(kFrameCaptionInset, dpi_);
  int gap = ScaleFrom96Dpi(kFrameCaptionGap, dpi_);
  RECT textRect{inset, 0, client.right - inset, metrics.tmHeight};
  ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  textRect.right = std::min(textRect.right, client.right - inset);
  RECT background{textRect.left - gap, textRect.top, textRect.right + gap, textRect.bottom};
  ::FillRect(dc, &background, ::GetSysColorBrush(COLOR_BTNFACE));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(::IsWindowEnabled(Handle()) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
              DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace quellbrook::win32
