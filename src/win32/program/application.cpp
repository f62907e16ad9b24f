#include "win32/program/application.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "core/failure.h"
#include "core/file_channel.h"
#include "win32/program/secondary_windows.h"
#include "win32/system/ansi_code_page.h"
#include "win32/system/environment.h"
#include "win32/system/file_store.h"
#include "win32/system/launcher.h"
#include "win32/system/scripting_host.h"
#include "win32/system/wide_text.h"
#include "win32/system/win32_error.h"
#include "win32/ui/dialog_owner.h"
#include "win32/ui/form_tracker.h"
#include "win32/ui/form_window.h"
#include "win32/ui/message_boxes.h"
#include "win32/ui/message_loop.h"

namespace quellbrook::win32 {
namespace {

void InitializeCommonControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES;
  if (!::InitCommonControlsEx(&controls)) ThrowLastError();
}

// The program's services and windows, built in this order and gone in the
// reverse: the windows first, while the services their logic uses still exist.
class Application {
 public:
  explicit Application(HINSTANCE instance) : instance_(instance) {}

  int Run(const WindowDefinition& main) {
    main_ = std::make_unique<FormWindow>(main, context_);
    main_->Show(SW_SHOWDEFAULT);
    return RunMessageLoop(tracker_);
  }

 private:
  HINSTANCE instance_;
  FormTracker tracker_;
  DialogOwner dialogOwner_;
  Win32MessageBoxes boxes_{dialogOwner_, tracker_};
  Win32Launcher launcher_;
  Win32Environment environment_;
  Win32FileStore store_;
  AnsiCodePage codePage_;
  FileChannel files_{store_, codePage_};
  Win32ScriptingHostFactory scripting_;
  Services services_{boxes_, launcher_, environment_, files_, scripting_,
                     [this](const WindowDefinition& window) { secondary_.Show(window); }};
  FormContext context_{instance_, services_, tracker_, dialogOwner_};
  SecondaryWindows secondary_{context_};
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
