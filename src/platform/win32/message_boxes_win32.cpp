#include "platform/win32/message_boxes_win32.h"

#include <windows.h>

#include "platform/failure.h"
#include "platform/win32/text_prompt_dialog.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_error.h"

namespace quellbrook::win32 {
namespace {

void ShowBox(HWND owner, std::u16string_view text, UINT type) {
  if (::MessageBoxW(owner, ToWide(text).c_str(), ToWide(kApplicationTitle).c_str(), type) == 0) {
    ThrowLastError();
  }
}

}  // namespace

void Win32MessageBoxes::ShowMessage(std::u16string_view text) { ShowBox(owner_.Current(), text, MB_OK); }

std::u16string Win32MessageBoxes::AskText(std::u16string_view prompt) {
  return RunTextPrompt(owner_.Current(), kApplicationTitle, prompt).value_or(std::u16string());
}

void Win32MessageBoxes::ShowFailure(const PlatformError& failure) {
  ShowBox(owner_.Current(), FailureReportText(failure), MB_OK | MB_ICONERROR);
}

}  // namespace quellbrook::win32
