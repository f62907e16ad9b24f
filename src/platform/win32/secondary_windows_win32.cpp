#include "platform/win32/secondary_windows_win32.h"

namespace quellbrook::win32 {

std::size_t Win32SecondaryWindows::SlotOf(SecondaryWindow window) {
  return window == SecondaryWindow::kExtraOptimization ? 0 : 1;
}

void Win32SecondaryWindows::ShowSecondaryWindow(SecondaryWindow window) {
  std::size_t slot = SlotOf(window);
  std::unique_ptr<FormWindow>& form = forms_[slot];
  if (form && form->IsOpen()) {
    form->BringToFront();
    return;
  }
  // A closed window comes back fresh, as its table describes it.
  form.reset();
  form = factory_.CreateForm(*definitions_[slot]);
  form->Show(SW_SHOWNORMAL);
  ::SetForegroundWindow(form->Handle());
}

}  // namespace quellbrook::win32
