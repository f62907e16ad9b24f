#include "win32/program/application.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "core/failure.h"
#include "forms/service_set.h"
#include "win32/ui/dialog_owner.h"
#include "win32/ui/form_tracker.h"
#include "win32/ui/form_window.h"
#include "win32/ui/message_boxes.h"
#include "win32/ui/message_loop.h"
#include "win32/program/program_services.h"
#include "win32/program/secondary_windows.h"
#include "win32/system/wide_text.h"
#include "win32/system/win32_error.h"

namespace quellbrook::win32 {
namespace {

void InitializeCommonControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES;
  if (!::InitCommonControlsEx(&controls)) ThrowLastError();
}

ServiceSet::Parts ProgramParts(const DialogOwner& dialogOwner, FormTracker& forms, FormFactory& factory) {
  ServiceSet::Parts parts = Win32ServiceParts(dialogOwner, forms);
  parts.windows = std::make_unique<Win32SecondaryWindows>(factory);
  return parts;
}

// Everything that lives as long as the program's windows, in the order it is
// built; the windows go first when it ends.
class Application final : private FormFactory {
 public:
  explicit Application(HINSTANCE instance) : instance_(instance) {}

  int Run(const WindowDefinition& main) {
    main_ = CreateForm(main);
    main_->Show(SW_SHOWDEFAULT);
    return RunMessageLoop(tracker_);
  }

 private:
  std::unique_ptr<FormWindow> CreateForm(const WindowDefinition& definition) override {
    return std::make_unique<FormWindow>(definition, FormContext{instance_, services_.Get(), tracker_, dialogOwner_});
  }

  HINSTANCE instance_;
  FormTracker tracker_;
  DialogOwner dialogOwner_;
  ServiceSet services_{ProgramParts(dialogOwner_, tracker_, *this)};
  std::unique_ptr<FormWindow> main_;
};

// The last resort: a failure outside every click handler (start-up, the message
// loop, a window procedure) ends the program, with the same report as a
// handler's failure below one line that says so.
void ReportFatal(const PlatformError& failure) {
  // Closing the windows posted WM_QUIT, which would end the box at once.
  MSG quit{};
  while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  const std::u16string text = u"Quellbrook 遇到无法恢复的错误，必须关闭。\r\n\r\n" + FailureReportText(failure);
  ::MessageBoxW(nullptr, ToWide(text).c_str(), ToWide(kApplicationTitle).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace

int RunApplication(HINSTANCE instance, const WindowDefinition& main) {
  try {
    InitializeCommonControls();
    Application application(instance);
    return application.Run(main);
  } catch (...) {
    ReportFatal(CurrentFailure());
  }
  return 1;
}

}  // namespace quellbrook::win32
