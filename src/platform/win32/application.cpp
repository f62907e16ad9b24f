#include "platform/win32/application.h"

#include <commctrl.h>

#include <exception>
#include <memory>
#include <new>

#include "platform/failure.h"
#include "platform/file_channel.h"
#include "platform/services.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/com_support.h"
#include "platform/win32/dialog_owner.h"
#include "platform/win32/environment_win32.h"
#include "platform/win32/file_store_win32.h"
#include "platform/win32/form_tracker.h"
#include "platform/win32/form_window.h"
#include "platform/win32/launcher_win32.h"
#include "platform/win32/message_boxes_win32.h"
#include "platform/win32/message_loop.h"
#include "platform/win32/scripting_host_win32.h"
#include "platform/win32/secondary_windows_win32.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_error.h"

namespace quellbrook::win32 {
namespace {

void InitializeCommonControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES;
  if (!::InitCommonControlsEx(&controls)) ThrowLastError();
}

// Everything that lives as long as the program's windows, in the order it is
// built; the windows go first when it ends.
class Application final : private FormFactory {
 public:
  Application(HINSTANCE instance, const WindowDefinition& extraOptimization,
              const WindowDefinition& hostsFirewall)
      : instance_(instance), windows_(*this, extraOptimization, hostsFirewall) {}

  int Run(const WindowDefinition& main) {
    main_ = CreateForm(main);
    main_->Show(SW_SHOWDEFAULT);
    return RunMessageLoop(tracker_);
  }

 private:
  std::unique_ptr<FormWindow> CreateForm(const WindowDefinition& definition) override {
    return std::make_unique<FormWindow>(definition, FormContext{instance_, services_, tracker_, dialogOwner_});
  }

  HINSTANCE instance_;
  FormTracker tracker_;
  DialogOwner dialogOwner_;
  Win32MessageBoxes boxes_{dialogOwner_};
  Win32Launcher launcher_;
  Win32Environment environment_;
  Win32FileStore store_;
  AnsiCodePage codePage_;
  FileChannel files_{store_, codePage_};
  Win32ScriptingHostFactory scripting_;
  Win32SecondaryWindows windows_;
  Services services_{boxes_, launcher_, environment_, files_, scripting_, windows_};
  std::unique_ptr<FormWindow> main_;
};

void ReportFatal(std::u16string_view text) {
  // Closing the windows posted WM_QUIT, which would end the box at once.
  MSG quit{};
  while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  ::MessageBoxW(nullptr, ToWide(text).c_str(), ToWide(kApplicationTitle).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace

int RunApplication(HINSTANCE instance, const WindowDefinition& main, const WindowDefinition& extraOptimization,
                   const WindowDefinition& hostsFirewall) {
  try {
    ComApartment apartment;
    InitializeCommonControls();
    Application application(instance, extraOptimization, hostsFirewall);
    return application.Run(main);
  } catch (const PlatformError& failure) {
    ReportFatal(FailureReportText(failure));
  } catch (const std::bad_alloc&) {
    ReportFatal(FailureReportText(SystemError(ERROR_NOT_ENOUGH_MEMORY)));
  } catch (const std::exception& failure) {
    std::string what = failure.what();
    ReportFatal(u"内部错误：" + std::u16string(what.begin(), what.end()));
  }
  return 1;
}

}  // namespace quellbrook::win32
