// The main window as another process sees it: its window tree, the platform
// switch, and how it lives with the secondary windows.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app_windows.h"
#include "running_app.h"
#include "wait.h"

namespace quellbrook::e2e {
namespace {

using MainWindow = RunningApp;

// The window tree automation tools find the controls in: every control of the
// main window under its literal ID, once, in the container named here (0: the
// window itself) apart from the program's tables, so that a change there shows.
TEST_F(MainWindow, ControlsAreChildWindowsWithUniqueIdsInsideTheirFrames) {
  std::map<int, int> containers;
  for (int n : {1, 4, 5, 14, 15, 16, 17, 18}) containers[Command(n)] = 0;
  for (int n : {1, 2, 3, 4}) containers[Frame(n)] = 0;
  for (int n : {6, 7, 8, 9}) containers[Command(n)] = Frame(1);
  for (int n : {10, 11, 12, 13}) containers[Command(n)] = Frame(2);
  for (int n : {19, 20, 21, 22}) containers[Command(n)] = Frame(4);
  containers[Text(2)] = Frame(1);
  containers[Text(3)] = Frame(2);
  containers[Text(4)] = Frame(4);
  for (int n = 1; n <= 20; ++n) containers[Check(n)] = Frame(3);

  std::map<int, int> seen;
  for (HWND window : Descendants(app->Form())) ++seen[GetDlgCtrlID(window)];
  for (const auto& [id, container] : containers) {
    SCOPED_TRACE("control " + std::to_string(id));
    EXPECT_EQ(seen[id], 1);
    const HWND control = app->Control(id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(GetParent(control), container == 0 ? app->Form() : app->Control(container));
    if (id >= Frame(1) && id <= Frame(4)) {
      EXPECT_EQ(ClassOf(control), kFrameClass);
    }
  }
}

TEST_F(MainWindow, ProgramRunsUntilTheHostsWindowClosesToo) {
  const HWND hosts = app->OpenWindow(Command(5), kHostsCaption);
  ASSERT_NE(hosts, nullptr);

  PostMessageW(app->Form(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(test_support::WaitUntil([&] { return !IsWindow(app->Form()); }, 10000)) << "the main window did not close";
  EXPECT_FALSE(app->WaitForExit(1000)) << "the program ended with the HOSTS window open";
  EXPECT_TRUE(IsWindowVisible(hosts));

  PostMessageW(hosts, WM_CLOSE, 0, 0);
  EXPECT_TRUE(app->WaitForExit(10000)) << "the program outlived its last window";
}

TEST_F(MainWindow, ABoxFromTheMainWindowDisablesTheSecondaryWindowsUntilItCloses) {
  std::vector<HWND> secondary;
  for (const auto& [button, caption] : {std::pair{Command(4), kTweaksCaption}, std::pair{Command(5), kHostsCaption}}) {
    secondary.push_back(app->OpenWindow(button, caption));
    ASSERT_NE(secondary.back(), nullptr);
  }
  // Refresh with no xp.bat: the failure report.
  ASSERT_TRUE(app->ClickExpectingBoxOn(app->Control(Command(6)), {}, [&] {
    for (HWND window : secondary) EXPECT_FALSE(IsWindowEnabled(window)) << "clickable while the box is up";
  }));
  for (HWND window : secondary) EXPECT_TRUE(IsWindowEnabled(window)) << "still disabled after the box";
  EXPECT_TRUE(IsWindowEnabled(app->Form()));
}

}  // namespace
}  // namespace quellbrook::e2e
