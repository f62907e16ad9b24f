#pragma once
// The program's open forms. The message loop uses it to route keyboard
// navigation, and the program ends when the last form is gone, whichever it is.

#include <windows.h>

#include <vector>

namespace quellbrook::win32 {

class FormTracker {
 public:
  void Add(HWND form);
  // Posts WM_QUIT once no form is left.
  void Remove(HWND form);
  bool Contains(HWND window) const;
  bool Empty() const noexcept { return forms_.empty(); }

 private:
  std::vector<HWND> forms_;
};

}  // namespace quellbrook::win32
