// Each window driven by the keyboard alone: Tab visits every control in the
// table's tab order with the focus shown, Enter presses the focused button,
// space ticks the focused check box and runs its switch, Escape closes
// nothing but an input box, and Alt+F4 closes the window.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app_windows.h"
#include "running_app.h"
#include "test_files.h"
#include "wait.h"

namespace quellbrook::e2e {
namespace {

using test_support::WaitUntil;

struct KeyboardWindow {
  const char* name;
  std::wstring_view caption;
  int opener;  // the main window's button that opens it; 0 for the main window
  std::vector<int> tabOrder;  // from the first tab stop, once round
  int enterButton;
  int checkBox;  // 0: none
};

void PrintTo(const KeyboardWindow& window, std::ostream* out) { *out << window.name; }

// Hidden panels and disabled controls take no focus.
const KeyboardWindow kWindows[] = {
    {"Main", L"Quellbrook", 0,
     {Command(4),  Command(5),  Command(9),  Command(6),  Command(14), Command(15), Command(1),  Command(16),
      Check(20),   Check(19),   Check(18),   Check(17),   Check(16),   Check(12),   Check(11),   Check(15),
      Check(14),   Check(13),   Check(10),   Check(9),    Check(8),    Check(7),    Check(6),    Check(5),
      Check(4),    Check(3),    Check(2),    Check(1),    Command(17), Command(18)},
     Command(6), Check(1)},
    {"ExtraOptimization", kTweaksCaption, Command(4),
     {Command(1), Command(2), Command(3), Command(4), Command(5), Command(6), Command(7), Command(8), Command(9),
      Command(10)},
     0, 0},
    {"Hosts", kHostsCaption, Command(5), {Command(1), Command(2), Command(3), Command(4), Command(5)},
     Command(2), 0},
};

class KeyboardWalk : public RunningApp, public ::testing::WithParamInterface<KeyboardWindow> {
 protected:
  int FocusedId() const { return GetDlgCtrlID(app->Focused()); }

  // Posted keys are handled after anything sent, so each step waits for its effect.
  bool TabTo(int id) const {
    for (int step = 0; step < 64 && FocusedId() != id; ++step) {
      const HWND before = app->Focused();
      if (!app->PostKey(VK_TAB) || !WaitUntil([&] { return app->Focused() != before; })) return false;
    }
    return FocusedId() == id;
  }
};

TEST_P(KeyboardWalk, ReachesAndPressesEveryControl) {
  const KeyboardWindow& param = GetParam();
  HWND window = app->Form();
  if (param.opener != 0) {
    ASSERT_TRUE(TabTo(param.opener));
    ASSERT_TRUE(app->PostKey(VK_RETURN));
    window = WaitForTopLevelWindow(app->ProcessId(), kFormClass, param.caption, 15000);
    ASSERT_NE(window, nullptr) << "Enter on the focused button opens the window";
  }
  EXPECT_TRUE(WaitUntil([&] { return FocusedId() == param.tabOrder.front(); }))
      << "a window opens with its first tab stop focused, not " << FocusedId();
  EXPECT_EQ(GetAncestor(app->Focused(), GA_ROOT), window);

  for (std::size_t step = 1; step <= param.tabOrder.size(); ++step) {
    const int expected = param.tabOrder[step % param.tabOrder.size()];
    ASSERT_TRUE(app->PostKey(VK_TAB));
    EXPECT_TRUE(WaitUntil([&] { return FocusedId() == expected; }))
        << "after " << step << " tabs: " << FocusedId() << " instead of " << expected;
  }
  DWORD_PTR uiState = 0;
  SendMessageTimeoutW(app->Focused(), WM_QUERYUISTATE, 0, 0, SMTO_NORMAL, 5000, &uiState);
  EXPECT_EQ(uiState & UISF_HIDEFOCUS, 0u) << "the focus rectangle shows once the keyboard is used";

  // Escape neither closes the window nor presses anything.
  ASSERT_TRUE(app->PostKey(VK_ESCAPE));
  EXPECT_EQ(app->WaitForBox(500), nullptr);
  ASSERT_TRUE(app->Sync());
  EXPECT_TRUE(IsWindowVisible(window));

  if (param.checkBox != 0) {
    const std::string before = "@echo off\r\n";
    ASSERT_TRUE(folder.Write(L"xp.bat", before));
    ASSERT_TRUE(TabTo(param.checkBox));
    ASSERT_TRUE(app->PostKey(VK_SPACE));
    EXPECT_TRUE(WaitUntil([&] { return app->CheckValue(param.checkBox) == 1; }));
    ASSERT_TRUE(app->Sync());  // the switch has run once the thread answers again
    EXPECT_NE(folder.Read(L"xp.bat").value_or(before), before) << "the switch rewrote xp.bat";
  }

  if (param.enterButton != 0) {
    // The buttons chosen here refill or unlock the window's visible text box.
    HWND edit = nullptr;
    for (HWND child : Descendants(window)) {
      if (ClassOf(child) == L"Edit" && IsWindowVisible(child)) edit = child;
    }
    ASSERT_NE(edit, nullptr);
    ASSERT_TRUE(app->SetTextOf(edit, L""));
    const bool wasEnabled = IsWindowEnabled(edit) != FALSE;
    ASSERT_TRUE(TabTo(param.enterButton));
    ASSERT_TRUE(app->PostKey(VK_RETURN));
    EXPECT_TRUE(WaitUntil([&] { return !app->TextOf(edit).empty() || (IsWindowEnabled(edit) != FALSE) != wasEnabled; }))
        << "Enter ran the focused button's click";
  }

  ASSERT_TRUE(app->PostKey(VK_F4, true));
  if (param.opener == 0) {
    EXPECT_TRUE(app->WaitForExit(15000)) << "Alt+F4 on the main window ends the program";
  } else {
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); })) << "Alt+F4 closes the window";
    EXPECT_TRUE(IsWindowVisible(app->Form()));
  }
}

INSTANTIATE_TEST_SUITE_P(AllWindows, KeyboardWalk, ::testing::ValuesIn(kWindows));

// The input box of the HOSTS searches: Escape cancels it, Enter confirms it.
TEST_F(RunningApp, TheInputBoxAnswersEscapeAndEnter) {
  const HWND hosts = app->OpenWindow(Command(5), kHostsCaption);
  ASSERT_NE(hosts, nullptr);
  for (UINT key : {VK_ESCAPE, VK_RETURN}) {
    app->PostClickOn(AppSession::ControlOf(hosts, Command(4)));
    const HWND box = app->WaitForBox(15000);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return GetAncestor(app->Focused(), GA_ROOT) == box; }))
        << "the entry field has the focus";
    ASSERT_TRUE(app->PostKey(key));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << "key " << key;
    EXPECT_TRUE(app->Sync());
  }
}

}  // namespace
}  // namespace quellbrook::e2e
