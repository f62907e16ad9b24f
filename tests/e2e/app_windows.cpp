#include "app_windows.h"

#include "wait.h"

namespace quellbrook::e2e {
namespace {

struct TopLevelQuery {
  DWORD pid;
  std::wstring_view windowClass;
  std::wstring_view caption;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
  auto& query = *reinterpret_cast<TopLevelQuery*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if ((query.pid == 0 || pid == query.pid) && IsWindowVisible(window) &&
      TitleOf(window) == query.caption &&
      (query.windowClass.empty() || ClassOf(window) == query.windowClass)) {
    query.found.push_back(window);
  }
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

}  // namespace

std::wstring TitleOf(HWND window) {
  std::wstring title(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  title.resize(static_cast<std::size_t>(
      GetWindowTextW(window, title.data(), static_cast<int>(title.size()))));
  return title;
}

std::vector<HWND> TopLevelWindows(DWORD pid, std::wstring_view windowClass,
                                  std::wstring_view caption) {
  TopLevelQuery query{pid, windowClass, caption, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

HWND WaitForTopLevelWindow(DWORD pid, std::wstring_view windowClass,
                           std::wstring_view caption, DWORD timeoutMs) {
  HWND found = nullptr;
  test_support::WaitUntil(
      [&] {
        const std::vector<HWND> windows = TopLevelWindows(pid, windowClass, caption);
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
      },
      static_cast<int>(timeoutMs));
  return found;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> windows;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

RECT RectInParent(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace quellbrook::e2e
