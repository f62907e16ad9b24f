#pragma once
// The program's open forms, one list for three jobs: the message loop routes
// keyboard navigation only within them, the program ends when the last of
// them is gone, whichever it is, and every box of the program is modal to all
// of them.

#include <windows.h>

#include <vector>

namespace quellbrook::win32 {

class FormTracker {
 public:
  FormTracker() = default;
  FormTracker(const FormTracker&) = delete;
  FormTracker& operator=(const FormTracker&) = delete;

  // A form adds itself once its window exists, and removes itself when the
  // window is destroyed.
  void Add(HWND form);
  void Remove(HWND form);

  // Keyboard navigation: whether `window` is an open form of the program.
  bool IsOpenForm(HWND window) const;

  // Modal boxes: while a box of the program is open, no other window of the
  // program takes clicks or keys. A box with an owner disables only that
  // owner, so the scope disables every other enabled form for the box's
  // lifetime, a form opened meanwhile too, and then gives back exactly the
  // enabled state each had. Scopes nest.
  class ModalBoxScope {
   public:
    ModalBoxScope(FormTracker& tracker, HWND boxOwner);
    ~ModalBoxScope();
    ModalBoxScope(const ModalBoxScope&) = delete;
    ModalBoxScope& operator=(const ModalBoxScope&) = delete;

   private:
    friend class FormTracker;
    void Disable(HWND form);

    FormTracker& tracker_;
    ModalBoxScope* outer_;
    std::vector<HWND> disabled_;
  };

 private:
  // The end of the program: WM_QUIT once no form is left.
  void EndProgramAfterTheLastForm() const;

  std::vector<HWND> forms_;
  ModalBoxScope* innermostBox_ = nullptr;
};

}  // namespace quellbrook::win32
