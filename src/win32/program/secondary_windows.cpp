#include "win32/program/secondary_windows.h"

namespace quellbrook::win32 {

void SecondaryWindows::Show(const WindowDefinition& window) {
  std::unique_ptr<FormWindow>& form = forms_[&window];
  if (form && form->IsOpen()) {
    form->BringToFront();
    return;
  }
  // A closed window comes back fresh, as its table describes it.
  form.reset();
  form = std::make_unique<FormWindow>(window, context_);
  form->Show(SW_SHOWNORMAL);
  ::SetForegroundWindow(form->Handle());
}

}  // namespace quellbrook::win32
