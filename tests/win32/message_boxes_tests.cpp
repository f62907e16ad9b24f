// The message, failure and input boxes: their caption, owner, texts and
// answers, driven from a helper thread.

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/failure.h"
#include "win32/ui/dialog_owner.h"
#include "win32/ui/form_tracker.h"
#include "win32/ui/message_boxes.h"
#include "win32/ui/text_prompt_dialog.h"
#include "win32/ui/window_text.h"
#include "dialog_helper.h"
#include "u16.h"

namespace quellbrook::win32 {
namespace {

using test_support::DialogHelper;
using test_support::PressButton;
using test_support::Wide;

HWND TopLevelWindow(const wchar_t* caption, bool enabled) {
  HWND window = ::CreateWindowExW(0, L"STATIC", caption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                  nullptr, nullptr, nullptr);
  ::EnableWindow(window, enabled);
  return window;
}

class MessageBoxesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // An owner in the middle of the screen, as a form would be, that a box can centre on.
    form_ = TopLevelWindow(L"owner", true);
    ASSERT_NE(form_, nullptr);
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - 400) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - 300) / 2;
    ::MoveWindow(form_, left, top, 400, 300, FALSE);
  }
  void TearDown() override { ::DestroyWindow(form_); }

  // Opens a box with `show` from a handler of the test's form while `answer`
  // deals with it from the helper thread; false when no box turned up.
  bool ShowFromHandler(const std::function<void()>& show, std::function<void(HWND box)> answer) {
    DialogHelper helper(L"Veltrane", std::move(answer));
    {
      DialogOwner::Scope handler(owner_, form_);
      show();
    }
    return helper.Found();
  }

  HWND form_ = nullptr;
  DialogOwner owner_;
  FormTracker forms_;
  Win32MessageBoxes boxes_{owner_, forms_};
};

// A window that the program opens while a box is up: a message sent to this
// window runs on the box's thread, inside the box's modal loop.
constexpr UINT kOpenLatecomer = WM_APP + 1;
FormTracker* latecomerTracker = nullptr;
HWND latecomer = nullptr;

LRESULT CALLBACK LatecomerOpener(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kOpenLatecomer) return ::DefWindowProcW(window, message, wParam, lParam);
  latecomer = TopLevelWindow(L"latecomer", true);
  latecomerTracker->Add(latecomer);
  return 0;
}

// Every box of the program shows its text, is owned by the form whose handler
// runs and is modal to all of the program's windows, also to one that opens
// while the box is up; each window gets its own enabled state back.
TEST_F(MessageBoxesTest, EveryBoxIsOwnedByTheFormAndDisablesAllWindowsOfTheProgram) {
  WNDCLASSW openerClass{};
  openerClass.lpfnWndProc = &LatecomerOpener;
  openerClass.lpszClassName = L"QuellbrookTestLatecomerOpener";
  ::RegisterClassW(&openerClass);
  HWND opener = ::CreateWindowExW(0, openerClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                  nullptr);
  latecomerTracker = &forms_;

  const PlatformError failure = SystemError(ERROR_ACCESS_DENIED, u"C:\\hosts");
  const struct {
    const char* name;
    std::function<void()> show;
    std::u16string text;
  } rows[] = {
      {"message", [&] { boxes_.ShowMessage(u"成功写入xp.bat文件……"); }, u"成功写入xp.bat文件……"},
      {"failure", [&] { boxes_.ShowFailure(failure); }, FailureReportText(failure)},
      {"input", [&] { boxes_.AskText(u"请输入要搜索的恶意网站:"); }, u"请输入要搜索的恶意网站:"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    HWND other = TopLevelWindow(L"other", true);
    HWND disabled = TopLevelWindow(L"disabled", false);
    HWND outsider = TopLevelWindow(L"not the program's", true);
    for (HWND form : {form_, other, disabled}) forms_.Add(form);
    HWND owner = nullptr;
    std::wstring texts;  // every static text of the box, one after another
    std::vector<bool> enabledWhileOpen;
    ASSERT_TRUE(ShowFromHandler(row.show, [&](HWND box) {
      owner = ::GetWindow(box, GW_OWNER);
      for (HWND text = nullptr; (text = ::FindWindowExW(box, text, L"Static", nullptr)) != nullptr;) {
        texts += WindowText(text);
      }
      ::SendMessageW(opener, kOpenLatecomer, 0, 0);
      for (HWND window : {form_, other, latecomer, outsider}) enabledWhileOpen.push_back(::IsWindowEnabled(window));
      PressButton(box, IDCANCEL);
    }));
    EXPECT_NE(texts.find(Wide(row.text)), std::wstring::npos);
    EXPECT_EQ(owner, form_);
    EXPECT_EQ(enabledWhileOpen, (std::vector<bool>{false, false, false, true}))
        << "the form, another and a latecomer of the program's windows; another program's is not touched";
    for (HWND enabled : {form_, other, latecomer}) EXPECT_TRUE(::IsWindowEnabled(enabled));
    EXPECT_FALSE(::IsWindowEnabled(disabled)) << "a window disabled before stays disabled";
    for (HWND window : {form_, other, disabled, latecomer}) forms_.Remove(window);
    for (HWND window : {other, disabled, outsider, latecomer}) ::DestroyWindow(window);
    MSG quit{};
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }
  ::DestroyWindow(opener);
}

struct PromptView {
  std::wstring promptText;
  RECT dialog{}, prompt{}, entry{}, ok{}, cancel{};
  int lineHeight = 0;
  bool entryHasFocus = false;
};

PromptView ObservePrompt(HWND dialog) {
  PromptView view;
  view.promptText = WindowText(::GetDlgItem(dialog, kPromptTextId));
  ::GetWindowRect(dialog, &view.dialog);
  ::GetWindowRect(::GetDlgItem(dialog, kPromptTextId), &view.prompt);
  ::GetWindowRect(::GetDlgItem(dialog, kPromptEntryId), &view.entry);
  ::GetWindowRect(::GetDlgItem(dialog, IDOK), &view.ok);
  ::GetWindowRect(::GetDlgItem(dialog, IDCANCEL), &view.cancel);
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &gui);
  view.entryHasFocus = gui.hwndFocus == ::GetDlgItem(dialog, kPromptEntryId);
  HWND promptWindow = ::GetDlgItem(dialog, kPromptTextId);
  HDC dc = ::GetDC(promptWindow);
  HGDIOBJ previous = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(promptWindow, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  ::SelectObject(dc, previous);
  ::ReleaseDC(promptWindow, dc);
  view.lineHeight = metrics.tmHeight;
  return view;
}

TEST_F(MessageBoxesTest, AskTextGivesWhatWasTypedAfterOkAndNothingAfterCancel) {
  for (const auto& [button, answer] : {std::pair{IDOK, u"输入的文字"}, std::pair{IDCANCEL, u""}}) {
    SCOPED_TRACE(button == IDOK ? "OK" : "Cancel");
    PromptView view;
    const auto typeThenPress = [&](HWND dialog) {
      view = ObservePrompt(dialog);
      ::SetDlgItemTextW(dialog, kPromptEntryId, L"输入的文字");
      PressButton(dialog, button);
    };
    std::u16string given = u"not asked";
    ASSERT_TRUE(ShowFromHandler([&] { given = boxes_.AskText(u"请输入：\r\n第二行\r\n第三行"); }, typeThenPress));
    EXPECT_EQ(given, answer);
    EXPECT_EQ(view.promptText, L"请输入：\r\n第二行\r\n第三行");
    EXPECT_TRUE(view.entryHasFocus);
  }
}

TEST_F(MessageBoxesTest, AskTextFitsThePromptAndCentresOnTheOwner) {
  PromptView view;
  const auto cancel = [&](HWND dialog) {
    view = ObservePrompt(dialog);
    PressButton(dialog, IDCANCEL);
  };
  ASSERT_TRUE(ShowFromHandler([&] { boxes_.AskText(u"第一行\r\n第二行\r\n第三行"); }, cancel));
  EXPECT_GE(view.prompt.bottom - view.prompt.top, 3 * view.lineHeight);
  EXPECT_LE(view.prompt.bottom, view.entry.top);
  EXPECT_LE(view.entry.bottom, view.ok.top);
  EXPECT_EQ(view.ok.top, view.cancel.top);
  EXPECT_LE(view.ok.right, view.cancel.left);
  EXPECT_LE(view.cancel.right, view.dialog.right);
  EXPECT_LE(view.cancel.bottom, view.dialog.bottom);

  RECT owner{};
  ::GetWindowRect(form_, &owner);
  EXPECT_NEAR((view.dialog.left + view.dialog.right) / 2, (owner.left + owner.right) / 2, 2);
  EXPECT_NEAR((view.dialog.top + view.dialog.bottom) / 2, (owner.top + owner.bottom) / 2, 2);
}

}  // namespace
}  // namespace quellbrook::win32
