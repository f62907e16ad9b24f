#include "app_session.h"

#include <algorithm>

#include "app_windows.h"
#include "wait.h"

namespace quellbrook::e2e {
namespace {

constexpr int kStartTimeoutMs = 30000;
constexpr DWORD kHandlerTimeoutMs = 20000;
constexpr int kBoxTimeoutMs = 15000;

std::wstring SystemMessage(DWORD error) {
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                     FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = L"error " + std::to_wstring(error);
  if (text) {
    message += L": " + std::wstring(text);
    LocalFree(text);
  }
  return message;
}

// The message's result once the window's thread has handled it; nothing when
// the window is missing or its thread is still busy after the timeout.
std::optional<DWORD_PTR> SendWaiting(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!window || !SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kHandlerTimeoutMs, &result)) {
    return std::nullopt;
  }
  return result;
}

// WM_GETTEXT through the window's own procedure; the system copies the text
// across the process boundary.
std::wstring WindowText(HWND window) {
  const std::optional<DWORD_PTR> length = SendWaiting(window, WM_GETTEXTLENGTH);
  if (!length) return {};
  std::wstring text(static_cast<std::size_t>(*length) + 1, L'\0');
  const std::optional<DWORD_PTR> copied =
      SendWaiting(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied.value_or(0)));
  return text;
}

}  // namespace

std::wstring QuellbrookExePath() {
  wchar_t configured[MAX_PATH * 4] = {};
  const DWORD length = GetEnvironmentVariableW(L"QUELLBROOK_EXE", configured, MAX_PATH * 4);
  if (length > 0 && length < MAX_PATH * 4) return std::wstring(configured, length);
  // Joined to a wide literal, the build's UTF-8 path becomes wide text.
  std::wstring built = L"" QUELLBROOK_BUILT_EXE;
  // A path of the Linux build tree, seen through Wine's drive for the root.
  if (!built.empty() && built.front() == L'/') {
    std::replace(built.begin(), built.end(), L'/', L'\\');
    built = L"Z:" + built;
  }
  return built;
}

AppSession::AppSession(const std::wstring& workFolder) {
  job_ = CreateJobObjectW(nullptr, nullptr);
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!job_ || !SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits,
                                        sizeof limits)) {
    error_ = L"job object: " + SystemMessage(GetLastError());
    return;
  }

  const std::wstring exe = QuellbrookExePath();
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                      nullptr, workFolder.c_str(), &startup, &process_)) {
    error_ = L"cannot start " + exe + L": " + SystemMessage(GetLastError());
    process_ = {};
    return;
  }
  // Assigned before its first instruction runs, so whatever it launches is in
  // the job too.
  if (!AssignProcessToJobObject(job_, process_.hProcess)) {
    error_ = L"job assignment: " + SystemMessage(GetLastError());
    TerminateProcess(process_.hProcess, 1);
    return;
  }
  ResumeThread(process_.hThread);

  DWORD exitCode = STILL_ACTIVE;
  const bool came = test_support::WaitUntil(
      [&] {
        form_ = WaitForTopLevelWindow(process_.dwProcessId, kFormClass, kMainCaption, 0);
        return form_ || (GetExitCodeProcess(process_.hProcess, &exitCode) && exitCode != STILL_ACTIVE);
      },
      kStartTimeoutMs);
  if (!came) {
    error_ = L"no main window within " + std::to_wstring(kStartTimeoutMs / 1000) + L" s";
    return;
  }
  if (!form_) {
    error_ = L"Quellbrook.exe ended with exit code " + std::to_wstring(exitCode) + L" before showing its main window";
    return;
  }
  Sync();
}

AppSession::~AppSession() {
  if (process_.hProcess) {
    TerminateJobObject(job_, 1);
    WaitForSingleObject(process_.hProcess, 10000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  if (job_) CloseHandle(job_);
}

HWND AppSession::ControlOf(HWND window, int id) {
  for (HWND descendant : Descendants(window)) {
    if (GetDlgCtrlID(descendant) == id) return descendant;
  }
  return nullptr;
}

HWND AppSession::Control(int id) const { return ControlOf(form_, id); }

bool AppSession::OwnVisible(int id) const {
  const HWND control = Control(id);
  return control && (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool AppSession::Enabled(int id) const {
  const HWND control = Control(id);
  return control && IsWindowEnabled(control);
}

std::wstring AppSession::Text(int id) const { return TextOf(Control(id)); }

bool AppSession::SetText(int id, std::wstring_view text) const { return SetTextOf(Control(id), text); }

bool AppSession::Click(int id) const { return ClickOn(Control(id)); }

std::wstring AppSession::TextOf(HWND control) const { return WindowText(control); }

bool AppSession::SetTextOf(HWND control, std::wstring_view text) const {
  const std::wstring copy(text);
  return SendWaiting(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str())).value_or(0) != 0;
}

bool AppSession::ClickOn(HWND control) const { return SendWaiting(control, BM_CLICK).has_value(); }

void AppSession::PostClickOn(HWND control) const {
  if (control) PostMessageW(control, BM_CLICK, 0, 0);
}

bool AppSession::PostMouseClick(int id) const {
  const HWND control = Control(id);
  RECT client{};
  if (!control || !GetClientRect(control, &client)) return false;
  const LPARAM middle = MAKELPARAM((client.left + client.right) / 2, (client.top + client.bottom) / 2);
  return PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle) &&
         PostMessageW(control, WM_LBUTTONUP, 0, middle);
}

HWND AppSession::Focused() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(form_, nullptr), &info) ? info.hwndFocus : nullptr;
}

bool AppSession::PostKey(UINT virtualKey, bool alt) const {
  const HWND focus = Focused();
  if (!focus) return false;
  const auto scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  // Bit 29 says Alt is down; the key-up has the previous-state and transition bits.
  const LPARAM altBit = alt ? (1 << 29) : 0;
  const LPARAM up = static_cast<LPARAM>(0xC0000000u);
  return PostMessageW(focus, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, 1 | scan | altBit) &&
         PostMessageW(focus, alt ? WM_SYSKEYUP : WM_KEYUP, virtualKey, 1 | scan | altBit | up);
}

int AppSession::CheckValue(int id) const {
  const std::optional<DWORD_PTR> state = SendWaiting(Control(id), BM_GETCHECK);
  if (!state) return -1;
  return *state == BST_CHECKED ? 1 : 0;
}

std::optional<std::wstring> AppSession::ClickExpectingBoxOn(HWND control, std::wstring_view typed,
                                                             const std::function<void()>& whileOpen) const {
  PostClickOn(control);
  const HWND box = WaitForBox(kBoxTimeoutMs);
  if (!box) return std::nullopt;
  std::wstring text = BoxText(box);
  if (whileOpen) whileOpen();
  if (const HWND entry = GetDlgItem(box, kInputBoxEdit); entry && !SetTextOf(entry, typed)) return std::nullopt;
  if (!DismissBox(box)) return std::nullopt;
  return text;
}

HWND AppSession::WaitForBox(DWORD timeoutMs) const {
  return WaitForTopLevelWindow(process_.dwProcessId, kDialogClass, kBoxCaption, timeoutMs);
}

std::wstring AppSession::BoxText(HWND box) {
  // A message box keeps its text in the static with ID 0xFFFF; the input box
  // in the static with ID 100.
  for (const int id : {0xFFFF, 100}) {
    if (const HWND text = GetDlgItem(box, id)) return WindowText(text);
  }
  return {};
}

bool AppSession::DismissBox(HWND box, int button) const {
  PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
  return test_support::WaitUntil([&] { return !IsWindow(box); }, kBoxTimeoutMs) && Sync();
}

bool AppSession::Sync() const { return SendWaiting(form_, WM_NULL).has_value(); }

HWND AppSession::OpenWindow(int button, std::wstring_view caption) const {
  return Click(button) ? WaitForTopLevelWindow(process_.dwProcessId, kFormClass, caption, kBoxTimeoutMs) : nullptr;
}

bool AppSession::WaitForExit(DWORD timeoutMs) const {
  return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

}  // namespace quellbrook::e2e
