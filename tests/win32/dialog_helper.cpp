#include "dialog_helper.h"

#include "wait.h"

namespace quellbrook::test_support {

namespace {

HWND FindThreadDialog(DWORD thread, const wchar_t* title) {
  for (HWND window = nullptr; (window = ::FindWindowExW(nullptr, window, L"#32770", title)) != nullptr;) {
    if (::GetWindowThreadProcessId(window, nullptr) == thread && ::IsWindowVisible(window)) return window;
  }
  return nullptr;
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

void PressButton(HWND dialog, int id) {
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

}  // namespace quellbrook::test_support
