#include "win32/ui/dpi.h"

#include <algorithm>
#include <optional>

#include "forms/font_face.h"
#include "win32/ui/device_context.h"
#include "win32/ui/installed_faces.h"
#include "win32/system/system_library.h"
#include "win32/system/win32_error.h"

namespace quellbrook::win32 {
namespace {

// A user32 export that older systems lack, or nullptr.
template <typename Function>
Function User32Export(const char* name) {
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return nullptr;
  FARPROC address = ::GetProcAddress(user32, name);
  // Through the generic function pointer type, which converts without warnings.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

using GetDpiForSystemFunction = UINT(WINAPI*)();
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
// shcore's GetDpiForMonitor, with MONITOR_DPI_TYPE as the int it is.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

// shcore.dll's GetDpiForMonitor (Windows 8.1 and later), or nullptr.
GetDpiForMonitorFunction DpiForMonitorExport() {
  static const std::optional<SystemLibrary> shcore = []() -> std::optional<SystemLibrary> {
    try {
      return std::optional<SystemLibrary>(std::in_place, L"shcore.dll");
    } catch (const PlatformError&) {
      return std::nullopt;
    }
  }();
  if (!shcore) return nullptr;
  try {
    return shcore->Export<GetDpiForMonitorFunction>("GetDpiForMonitor");
  } catch (const PlatformError&) {
    return nullptr;
  }
}

UINT ScreenDpi(HWND window) {
  WindowDc dc(window);
  int dpi = dc.Get() != nullptr ? ::GetDeviceCaps(dc.Get(), LOGPIXELSX) : 0;
  return dpi > 0 ? static_cast<UINT>(dpi) : kStandardDpi;
}

}  // namespace

UINT SystemDpi() {
  static const auto getDpiForSystem = User32Export<GetDpiForSystemFunction>("GetDpiForSystem");
  if (getDpiForSystem != nullptr) {
    if (UINT dpi = getDpiForSystem(); dpi != 0) return dpi;
  }
  return ScreenDpi(nullptr);
}

UINT MonitorDpi(HMONITOR monitor) {
  static const GetDpiForMonitorFunction getDpiForMonitor = DpiForMonitorExport();
  UINT dpiX = 0;
  UINT dpiY = 0;
  if (getDpiForMonitor == nullptr || monitor == nullptr ||
      FAILED(getDpiForMonitor(monitor, kEffectiveDpi, &dpiX, &dpiY))) {
    return 0;
  }
  return dpiX;
}

UINT WindowDpi(HWND window) {
  static const auto getDpiForWindow = User32Export<GetDpiForWindowFunction>("GetDpiForWindow");
  if (getDpiForWindow != nullptr) {
    if (UINT dpi = getDpiForWindow(window); dpi != 0) return dpi;
  }
  // Windows 8.1 to 10 1607: a per-monitor aware window is drawn at the DPI of
  // the monitor it is on.
  if (UINT dpi = MonitorDpi(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)); dpi != 0) return dpi;
  return ScreenDpi(window);
}

int SystemMetricForDpi(int index, UINT dpi) {
  static const auto metricForDpi = User32Export<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
  if (metricForDpi != nullptr) return metricForDpi(index, dpi);
  // Before Windows 10 1607 the system knows only its own DPI.
  return ScaleRounded(::GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) {
  static const auto adjustForDpi =
      User32Export<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
  if (adjustForDpi != nullptr) {
    if (!adjustForDpi(&rect, style, FALSE, exStyle, dpi)) ThrowLastError();
    return;
  }
  RECT frame{0, 0, 0, 0};
  if (!::AdjustWindowRectEx(&frame, style, FALSE, exStyle)) ThrowLastError();
  const UINT systemDpi = SystemDpi();
  auto scale = [dpi, systemDpi](LONG length) {
    return static_cast<LONG>(ScaleRounded(static_cast<int>(length), static_cast<int>(dpi), static_cast<int>(systemDpi)));
  };
  rect.left += scale(frame.left);
  rect.top += scale(frame.top);
  rect.right += scale(frame.right);
  rect.bottom += scale(frame.bottom);
}

UniqueFont CreateFontForDpi(const FontChoice& table, UINT dpi) {
  const FontChoice choice = WithInstalledFace(table, InstalledFaceName(table.face));
  LOGFONTW font{};
  font.lfHeight = -EmPixels(choice, dpi);
  font.lfWeight = choice.weight;
  font.lfCharSet = static_cast<BYTE>(choice.charset);
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  std::size_t faceLength = std::min(choice.face.size(), std::size(font.lfFaceName) - 1);
  std::copy_n(choice.face.data(), faceLength, font.lfFaceName);
  UniqueFont handle(::CreateFontIndirectW(&font));
  if (!handle) ThrowLastError(choice.face);
  return handle;
}

}  // namespace quellbrook::win32
