#include "dialog_helper.h"

#include "wait.h"
#include "win32/ui/window_text.h"

namespace quellbrook::test_support {

using win32::WindowText;
namespace {

struct Search {
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  wchar_t className[16] = {};
  ::GetClassNameW(window, className, 16);
  if (std::wstring(className) == L"#32770" && ::IsWindowVisible(window) &&
      (search->title == nullptr || WindowText(window) == search->title)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindThreadDialog(DWORD thread, const wchar_t* title) {
  Search search{title, nullptr};
  ::EnumThreadWindows(thread, &FindDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

DialogHelper::DialogHelper(const wchar_t* title, std::function<void(HWND dialog)> act) {
  DWORD uiThread = ::GetCurrentThreadId();
  thread_ = std::thread([this, uiThread, title, act = std::move(act)] {
    HWND dialog = nullptr;
    if (WaitUntil([&] { return (dialog = FindThreadDialog(uiThread, title)) != nullptr; }, 10000)) {
      found_ = true;
      act(dialog);
      return;
    }
    if (HWND stray = FindThreadDialog(uiThread, nullptr)) PressButton(stray, IDCANCEL);
  });
}

DialogHelper::~DialogHelper() {
  if (thread_.joinable()) thread_.join();
}

bool DialogHelper::Found() {
  if (thread_.joinable()) thread_.join();
  return found_;
}

std::wstring ItemText(HWND dialog, int id) { return WindowText(::GetDlgItem(dialog, id)); }

void PressButton(HWND dialog, int id) {
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

}  // namespace quellbrook::test_support
