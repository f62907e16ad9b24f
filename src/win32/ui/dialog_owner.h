#pragma once
// The window that owns the message and input boxes: the form whose handler is
// running, so that a box is modal to the window the user just clicked.

#include <windows.h>

namespace quellbrook::win32 {

class DialogOwner {
 public:
  // Null outside any handler: boxes then have no owner.
  HWND Current() const noexcept { return current_; }

  // Makes `window` the owner for its lifetime; nested scopes restore the outer one.
  class Scope {
   public:
    Scope(DialogOwner& owner, HWND window) noexcept : owner_(owner), previous_(owner.current_) {
      owner_.current_ = window;
    }
    ~Scope() { owner_.current_ = previous_; }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    DialogOwner& owner_;
    HWND previous_;
  };

 private:
  HWND current_ = nullptr;
};

}  // namespace quellbrook::win32
