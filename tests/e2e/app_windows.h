#pragma once
// Finding Quellbrook's windows from another process. Shared by the end-to-end
// driver and the window probe that the shell scripts run.

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "window_class.h"

namespace quellbrook::e2e {

using test_support::ClassOf;

inline constexpr std::wstring_view kFormClass = L"QuellbrookForm";
inline constexpr std::wstring_view kFrameClass = L"QuellbrookFrame";
inline constexpr std::wstring_view kDialogClass = L"#32770";
inline constexpr std::wstring_view kMainCaption = L"Quellbrook";
inline constexpr std::wstring_view kTweaksCaption = L"隔外优化";
inline constexpr std::wstring_view kHostsCaption = L"HOSTS迷你防火墙";
inline constexpr std::wstring_view kBoxCaption = L"Veltrane";

// The window's own title as the system keeps it; good for top-level windows,
// whose title is their caption.
std::wstring TitleOf(HWND window);

// Visible top-level windows with this caption, of process `pid` (0: any
// process) and, unless `windowClass` is empty, of that class.
std::vector<HWND> TopLevelWindows(DWORD pid, std::wstring_view windowClass,
                                  std::wstring_view caption);

// The first such window, polling until it appears; nullptr after the timeout.
HWND WaitForTopLevelWindow(DWORD pid, std::wstring_view windowClass,
                           std::wstring_view caption, DWORD timeoutMs);

// Every descendant of `parent` (children, their children, ...).
std::vector<HWND> Descendants(HWND parent);

// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);

}  // namespace quellbrook::e2e
