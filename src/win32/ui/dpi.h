#pragma once
// Dots per inch and what depends on them: twips and 96-DPI pixels turned into
// device pixels, window frames and fonts. The per-monitor calls of Windows 10
// are looked up at run time, so the program still starts on Windows 7.

#include <windows.h>

#include "forms/scaling.h"
#include "forms/form_table.h"
#include "win32/system/unique_handle.h"

namespace quellbrook::win32 {

// One rule for every window, box and frame: the scaling the tables are checked with.
using quellbrook::kStandardDpi;
using quellbrook::ScaleFrom96Dpi;
using quellbrook::TwipsToPixels;

// WM_GETDPISCALEDSIZE (Windows 10 1703), which the headers for Windows 7 lack.
inline constexpr UINT kGetDpiScaledSizeMessage = 0x02E4;

// The DPI of the screen for windows that do not know their monitor yet.
UINT SystemDpi();
// The effective DPI of `monitor` (Windows 8.1 and later), or 0 where the
// system cannot tell.
UINT MonitorDpi(HMONITOR monitor);
// The DPI the window is drawn at: its monitor's on Windows 8.1 and later,
// else the system's.
UINT WindowDpi(HWND window);

// A size of the system's (GetSystemMetrics' SM_CXICON, SM_CXSMICON, ...) at `dpi`.
int SystemMetricForDpi(int index, UINT dpi);

// Grows a client rectangle to the window rectangle of `style` at `dpi`. Where
// the system knows only its own DPI, the frame it reports is scaled to `dpi`.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi);

// A font of the size and weight of `choice`, for text drawn at `dpi`, in its
// face where the system has that, else in SimSun.
UniqueFont CreateFontForDpi(const FontChoice& choice, UINT dpi);

}  // namespace quellbrook::win32
