#pragma once
// One running Quellbrook.exe, started by the driver and driven from outside
// through its windows only. The process runs in a job object, so ending the
// session ends it together with every command window it launched.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quellbrook::e2e {

// The entry field of the program's input box.
constexpr int kInputBoxEdit = 101;

// Control IDs that automation relies on; they are stated here on their own
// rather than taken from the program's headers, so that a change there shows.
constexpr int Command(int n) { return 1000 + n; }
constexpr int Check(int n) { return 2000 + n; }
constexpr int Text(int n) { return 3000 + n; }
constexpr int Frame(int n) { return 4000 + n; }

// Quellbrook.exe as a Windows path: QUELLBROOK_EXE if set, else the one this
// build produced.
std::wstring QuellbrookExePath();

class AppSession {
 public:
  // Starts Quellbrook.exe in `workFolder` and waits for its main window.
  explicit AppSession(const std::wstring& workFolder);
  ~AppSession();
  AppSession(const AppSession&) = delete;
  AppSession& operator=(const AppSession&) = delete;

  // False, with Error() saying why, when the program or its window did not come.
  bool Started() const { return form_ != nullptr; }
  const std::wstring& Error() const { return error_; }

  HWND Form() const { return form_; }
  DWORD ProcessId() const { return process_.dwProcessId; }
  HANDLE Process() const { return process_.hProcess; }

  // The descendant of the main window with this control ID; nullptr if none.
  HWND Control(int id) const;
  // The control's own visibility flag, whatever its container shows.
  bool OwnVisible(int id) const;
  bool Enabled(int id) const;
  std::wstring Text(int id) const;
  bool SetText(int id, std::wstring_view text) const;

  // Clicks and waits until the click handler has returned. False when it did
  // not return in time, for instance because it opened a message box.
  bool Click(int id) const;
  // The user's own click, through the program's message loop, without
  // waiting: the left mouse button pressed and released in the middle of the
  // control. False when the control is missing.
  bool PostMouseClick(int id) const;
  // The control that has the program's keyboard focus, or nullptr.
  HWND Focused() const;
  // A key pressed and released on the focused control, as the keyboard would
  // post it; with `alt` as a system key. False when nothing has the focus.
  bool PostKey(UINT virtualKey, bool alt = false) const;
  // A check box's value: 0 clear, 1 ticked, -1 when it cannot be read.
  int CheckValue(int id) const;

  // Clicks the main window's button and waits for the window with this
  // caption that it opens; nullptr if none comes.
  HWND OpenWindow(int button, std::wstring_view caption) const;

  // The same for the controls of the program's other windows.
  static HWND ControlOf(HWND window, int id);
  std::wstring TextOf(HWND control) const;
  bool SetTextOf(HWND control, std::wstring_view text) const;
  bool ClickOn(HWND control) const;
  // Clicks without waiting, for a handler that opens a modal box.
  void PostClickOn(HWND control) const;
  // Clicks, waits for the program's "Veltrane" box and reads its text (an
  // input box's prompt); then runs `whileOpen`, types `typed` into an input
  // box, answers OK and waits for the handler to finish. Nothing if no box
  // came or it could not be answered.
  std::optional<std::wstring> ClickExpectingBoxOn(HWND control, std::wstring_view typed = {},
                                                  const std::function<void()>& whileOpen = {}) const;
  std::optional<std::wstring> ClickExpectingBox(int id) const { return ClickExpectingBoxOn(Control(id)); }

  // The program's visible "Veltrane" box, if one comes within the timeout.
  HWND WaitForBox(DWORD timeoutMs) const;
  static std::wstring BoxText(HWND box);
  // Answers the box with that button and waits until the UI thread is idle again.
  bool DismissBox(HWND box, int button = IDOK) const;

  // Returns once the UI thread has handled everything queued before.
  bool Sync() const;
  bool WaitForExit(DWORD timeoutMs) const;

 private:
  HANDLE job_ = nullptr;
  PROCESS_INFORMATION process_{};
  HWND form_ = nullptr;
  std::wstring error_;
};

}  // namespace quellbrook::e2e
