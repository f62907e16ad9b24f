#pragma once
// Dots per inch and what depends on them: twips and 96-DPI pixels turned into
// device pixels, window frames and fonts. The per-monitor calls of Windows 10
// are looked up at run time, so the program still starts on Windows 7.

#include <windows.h>

#include "forms/form_table.h"
#include "win32/unique_handle.h"

namespace quellbrook::win32 {

inline constexpr UINT kStandardDpi = 96;

inline int TwipsToPixels(int twips, UINT dpi) { return ::MulDiv(twips, static_cast<int>(dpi), 1440); }
inline int ScaleFrom96Dpi(int pixels, UINT dpi) {
  return ::MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(kStandardDpi));
}

// The DPI of the screen for windows that do not know their monitor yet.
UINT SystemDpi();
// The DPI the window is drawn at: its monitor's on Windows 10, else the system's.
UINT WindowDpi(HWND window);

// Grows a client rectangle to the window rectangle of `style` at `dpi`.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi);

// A font of the face, size and weight of `choice`, for text drawn at `dpi`.
UniqueFont CreateFontForDpi(const FontChoice& choice, UINT dpi);

}  // namespace quellbrook::win32
