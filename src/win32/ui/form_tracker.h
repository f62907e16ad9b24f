#pragma once
// The program's open forms. The message loop uses it to route keyboard
// navigation, the program ends when the last form is gone, whichever it is,
// and every box of the program is modal to all of them.

#include <windows.h>

#include <vector>

namespace quellbrook::win32 {

class FormTracker {
 public:
  FormTracker() = default;
  FormTracker(const FormTracker&) = delete;
  FormTracker& operator=(const FormTracker&) = delete;

  // A form added while a box is open starts disabled until the box closes.
  void Add(HWND form);
  // Posts WM_QUIT once no form is left.
  void Remove(HWND form);
  bool Contains(HWND window) const;
  bool Empty() const noexcept { return forms_.empty(); }

  // While a box of the program is open, no other window of the program takes
  // clicks or keys: a box with an owner disables only that owner, so the scope
  // disables every other enabled form for the box's lifetime and then gives
  // back exactly the enabled state each had. Scopes nest.
  class BoxScope {
   public:
    BoxScope(FormTracker& tracker, HWND boxOwner);
    ~BoxScope();
    BoxScope(const BoxScope&) = delete;
    BoxScope& operator=(const BoxScope&) = delete;

   private:
    friend class FormTracker;
    void Disable(HWND form);

    FormTracker& tracker_;
    BoxScope* outer_;
    std::vector<HWND> disabled_;
  };

 private:
  std::vector<HWND> forms_;
  BoxScope* innermostBox_ = nullptr;
};

}  // namespace quellbrook::win32
