#include "win32/ui/form_tracker.h"

#include <algorithm>

namespace quellbrook::win32 {

void FormTracker::Add(HWND form) {
  forms_.push_back(form);
  if (innermostBox_ != nullptr && ::IsWindowEnabled(form)) innermostBox_->Disable(form);
}

void FormTracker::Remove(HWND form) {
  auto found = std::find(forms_.begin(), forms_.end(), form);
  if (found == forms_.end()) return;
  forms_.erase(found);
  EndProgramAfterTheLastForm();
}

bool FormTracker::IsOpenForm(HWND window) const {
  return window != nullptr && std::find(forms_.begin(), forms_.end(), window) != forms_.end();
}

void FormTracker::EndProgramAfterTheLastForm() const {
  if (forms_.empty()) ::PostQuitMessage(0);
}

FormTracker::ModalBoxScope::ModalBoxScope(FormTracker& tracker, HWND boxOwner)
    : tracker_(tracker), outer_(tracker.innermostBox_) {
  for (HWND form : tracker_.forms_) {
    if (form != boxOwner && ::IsWindowEnabled(form)) Disable(form);
  }
  tracker_.innermostBox_ = this;
}

FormTracker::ModalBoxScope::~ModalBoxScope() {
  tracker_.innermostBox_ = outer_;
  // A form closed meanwhile is no longer tracked; its handle may be reused.
  for (HWND form : disabled_) {
    if (tracker_.IsOpenForm(form)) ::EnableWindow(form, TRUE);
  }
}

void FormTracker::ModalBoxScope::Disable(HWND form) {
  ::EnableWindow(form, FALSE);
  disabled_.push_back(form);
}

}  // namespace quellbrook::win32
