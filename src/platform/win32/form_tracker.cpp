#include "platform/win32/form_tracker.h"

#include <algorithm>

namespace quellbrook::win32 {

void FormTracker::Add(HWND form) { forms_.push_back(form); }

void FormTracker::Remove(HWND form) {
  auto found = std::find(forms_.begin(), forms_.end(), form);
  if (found == forms_.end()) return;
  forms_.erase(found);
  if (forms_.empty()) ::PostQuitMessage(0);
}

bool FormTracker::Contains(HWND window) const {
  return window != nullptr && std::find(forms_.begin(), forms_.end(), window) != forms_.end();
}

}  // namespace quellbrook::win32
