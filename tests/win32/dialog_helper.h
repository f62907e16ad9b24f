#pragma once
// Drives the program's modal boxes from a helper thread while the test's own
// thread sits in the box's modal loop.

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

namespace quellbrook::test_support {

// Waits for the visible dialog "#32770" captioned `title` that belongs to
// `uiThread`, runs `act` on it, and cancels any dialog of that thread if none
// turns up, so that a failing test cannot hang.
class DialogHelper {
 public:
  DialogHelper(const wchar_t* title, std::function<void(HWND dialog)> act);
  ~DialogHelper();
  DialogHelper(const DialogHelper&) = delete;
  DialogHelper& operator=(const DialogHelper&) = delete;

  // Waits for the helper to finish; true when it found the dialog.
  bool Found();

 private:
  std::thread thread_;
  std::atomic<bool> found_{false};
};

// Presses a dialog button the way a click would, by its command.
void PressButton(HWND dialog, int id);

}  // namespace quellbrook::test_support
