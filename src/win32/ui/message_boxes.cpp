#include "win32/ui/message_boxes.h"

#include <windows.h>

#include "core/failure.h"
#include "win32/ui/text_prompt_dialog.h"
#include "win32/system/wide_text.h"
#include "win32/system/win32_error.h"

namespace quellbrook::win32 {
namespace {

void ShowBox(HWND owner, FormTracker& forms, std::u16string_view text, UINT type) {
  FormTracker::ModalBoxScope modal(forms, owner);
  if (::MessageBoxW(owner, ToWide(text).c_str(), ToWide(kApplicationTitle).c_str(), type) == 0) {
    ThrowLastError();
  }
}

}  // namespace

void Win32MessageBoxes::ShowMessage(std::u16string_view text) { ShowBox(owner_.Current(), forms_, text, MB_OK); }

std::u16string Win32MessageBoxes::AskText(std::u16string_view prompt) {
  FormTracker::ModalBoxScope modal(forms_, owner_.Current());
  return RunTextPrompt(owner_.Current(), kApplicationTitle, prompt).value_or(std::u16string());
}

void Win32MessageBoxes::ShowFailure(const PlatformError& failure) {
  ShowBox(owner_.Current(), forms_, FailureReportText(failure), MB_OK | MB_ICONERROR);
}

}  // namespace quellbrook::win32
