#include "win32/ui/message_loop.h"

#include "win32/ui/window_base.h"
#include "win32/system/win32_error.h"

namespace quellbrook::win32 {
namespace {

// A multi-line text box that has met the dialog manager closes its parent on
// Escape; our windows close only when the user closes them.
bool IsEscapeInTextBox(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE) return false;
  wchar_t className[8] = {};
  ::GetClassNameW(message.hwnd, className, 8);
  return ::lstrcmpiW(className, L"Edit") == 0 && (::GetWindowLongW(message.hwnd, GWL_STYLE) & ES_MULTILINE) != 0;
}

}  // namespace

void RouteMessage(const FormTracker& forms, MSG& message) {
  if (IsEscapeInTextBox(message)) return;
  // Tab, arrow keys and mnemonics move between the controls of our forms.
  HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
  if (forms.IsOpenForm(root) && ::IsDialogMessageW(root, &message)) return;
  ::TranslateMessage(&message);
  ::DispatchMessageW(&message);
}

int RunMessageLoop(const FormTracker& forms) {
  MSG message{};
  for (;;) {
    BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) ThrowLastError();
    if (got == 0) break;
    RouteMessage(forms, message);
  }
  RethrowUnhandledException();
  return static_cast<int>(message.wParam);
}

}  // namespace quellbrook::win32
