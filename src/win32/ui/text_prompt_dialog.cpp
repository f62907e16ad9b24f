#include "win32/ui/text_prompt_dialog.h"

#include <algorithm>
#include <exception>
#include <initializer_list>
#include <vector>

#include "win32/ui/device_context.h"
#include "win32/ui/dpi.h"
#include "win32/system/wide_text.h"
#include "win32/system/win32_error.h"
#include "win32/ui/window_text.h"

namespace quellbrook::win32 {
namespace {

// Layout in dialog units.
constexpr int kMargin = 7;
constexpr int kGap = 4;
constexpr int kPromptMinWidth = 180;
constexpr int kPromptMaxWidth = 300;
constexpr int kEntryHeight = 12;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

// A DLGTEMPLATE with its items, written as the WORD stream the dialog manager reads.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, std::wstring_view title, WORD pointSize, std::wstring_view face) {
    AddDword(style);
    AddDword(0);  // extended style
    countIndex_ = words_.size();
    AddWords({0, 0, 0, 0, 0});  // item count; x, y, cx, cy, set on WM_INITDIALOG
    AddWords({0, 0});           // no menu, the standard dialog class
    AddText(title);
    AddWords({pointSize});      // DS_SETFONT
    AddText(face);
  }

  void AddItem(WORD classAtom, int id, DWORD style, std::wstring_view text) {
    if (words_.size() % 2 != 0) AddWords({0});  // items start on a DWORD boundary
    AddDword(style | WS_CHILD | WS_VISIBLE);
    AddDword(0);
    AddWords({0, 0, 1, 1});  // placed on WM_INITDIALOG
    AddWords({static_cast<WORD>(id), 0xFFFF, classAtom});
    AddText(text);
    AddWords({0});  // no creation data
    ++words_[countIndex_];
  }

  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void AddWords(std::initializer_list<WORD> words) {
    for (WORD word : words) words_.push_back(word);
  }
  void AddDword(DWORD value) { AddWords({LOWORD(value), HIWORD(value)}); }
  void AddText(std::wstring_view text) {
    for (wchar_t unit : text) words_.push_back(static_cast<WORD>(unit));
    words_.push_back(0);
  }

  // std::vector's storage is aligned for DWORDs, as the template must be.
  std::vector<WORD> words_;
  std::size_t countIndex_ = 0;
};

struct PromptState {
  std::wstring prompt;
  std::wstring entered;
  // A C++ exception must not unwind through the dialog manager: it is kept here
  // and thrown again once the dialog has returned.
  std::exception_ptr failure;
};

int DialogUnitsToPixels(HWND dialog, int units, bool horizontal) {
  RECT rect{0, 0, units, units};
  ::MapDialogRect(dialog, &rect);
  return horizontal ? rect.right : rect.bottom;
}

void PlaceItem(HWND dialog, int id, int x, int y, int width, int height) {
  ::SetWindowPos(::GetDlgItem(dialog, id), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Sizes the box to its prompt, then centres it on the owner (or the screen),
// inside the work area of the owner's monitor.
void LayOut(HWND dialog, const std::wstring& prompt) {
  auto dx = [dialog](int units) { return DialogUnitsToPixels(dialog, units, true); };
  auto dy = [dialog](int units) { return DialogUnitsToPixels(dialog, units, false); };

  RECT textRect{0, 0, dx(kPromptMaxWidth), 0};
  {
    WindowDc dc(dialog);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0));
    SelectedObject selected(dc.Get(), font);
    ::DrawTextW(dc.Get(), prompt.c_str(), static_cast<int>(prompt.size()), &textRect,
                DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  }
  int contentWidth = std::max<int>(textRect.right, dx(kPromptMinWidth));
  int promptHeight = std::max<int>(textRect.bottom, dy(8));

  int y = dy(kMargin);
  PlaceItem(dialog, kPromptTextId, dx(kMargin), y, contentWidth, promptHeight);
  y += promptHeight + dy(kGap);
  PlaceItem(dialog, kPromptEntryId, dx(kMargin), y, contentWidth, dy(kEntryHeight));
  y += dy(kEntryHeight) + dy(kMargin);
  int buttonWidth = dx(kButtonWidth);
  int cancelLeft = dx(kMargin) + contentWidth - buttonWidth;
  PlaceItem(dialog, IDCANCEL, cancelLeft, y, buttonWidth, dy(kButtonHeight));
  PlaceItem(dialog, IDOK, cancelLeft - dx(kGap) - buttonWidth, y, buttonWidth, dy(kButtonHeight));
  y += dy(kButtonHeight) + dy(kMargin);

  RECT frame{0, 0, contentWidth + 2 * dx(kMargin), y};
  AdjustWindowRectForDpi(frame, static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_STYLE)),
                         static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_EXSTYLE)), WindowDpi(dialog));
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;

  HWND owner = ::GetWindow(dialog, GW_OWNER);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(owner != nullptr ? owner : dialog, MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT around = monitor.rcWork;
  if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &around);
  int left = around.left + (around.right - around.left - width) / 2;
  int top = around.top + (around.bottom - around.top - height) / 2;
  left = std::clamp<int>(left, monitor.rcWork.left, std::max<int>(monitor.rcWork.left, monitor.rcWork.right - width));
  top = std::clamp<int>(top, monitor.rcWork.top, std::max<int>(monitor.rcWork.top, monitor.rcWork.bottom - height));
  ::SetWindowPos(dialog, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR HandlePromptMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* state = reinterpret_cast<PromptState*>(lParam);
      ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      ::SetDlgItemTextW(dialog, kPromptTextId, state->prompt.c_str());
      ::SendDlgItemMessageW(dialog, kPromptEntryId, EM_SETLIMITTEXT, 0, 0);
      LayOut(dialog, state->prompt);
      return TRUE;  // focus to the entry field, the first tab stop
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        auto* state = reinterpret_cast<PromptState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
        state->entered = WindowText(::GetDlgItem(dialog, kPromptEntryId));
        ::EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK PromptProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return HandlePromptMessage(dialog, message, wParam, lParam);
  } catch (...) {
    auto* state = reinterpret_cast<PromptState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) state = reinterpret_cast<PromptState*>(lParam);
    if (state != nullptr && !state->failure) state->failure = std::current_exception();
    ::EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
}

}  // namespace

std::optional<std::u16string> RunTextPrompt(HWND owner, std::u16string_view title, std::u16string_view prompt) {
  DialogTemplate dialog(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                        ToWide(title), 9, L"宋体");
  dialog.AddItem(kStaticClass, kPromptTextId, SS_LEFT | SS_NOPREFIX, L"");
  dialog.AddItem(kEditClass, kPromptEntryId, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, L"");
  dialog.AddItem(kButtonClass, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, L"确定");
  dialog.AddItem(kButtonClass, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, L"取消");

  PromptState state{ToWide(prompt), {}, {}};
  INT_PTR result = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), dialog.Get(), owner,
                                             &PromptProcedure, reinterpret_cast<LPARAM>(&state));
  if (result == -1) ThrowLastError();
  if (state.failure) std::rethrow_exception(state.failure);
  if (result != IDOK) return std::nullopt;
  return FromWide(state.entered);
}

}  // namespace quellbrook::win32
