// The main window as another process sees it: its window tree, its first
// state, the platform switch, and how it lives with the secondary windows.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app_windows.h"
#include "running_app.h"
#include "wait.h"

namespace quellbrook::e2e {
namespace {

using MainWindow = RunningApp;

// Every control of the main window and the control that contains it (0: the
// window itself).
std::map<int, int> ExpectedContainers() {
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
  return containers;
}

TEST_F(MainWindow, ControlsAreChildWindowsWithUniqueIdsInsideTheirFrames) {
  std::map<int, int> seen;
  for (HWND window : Descendants(app->Form())) ++seen[GetDlgCtrlID(window)];

  for (const auto& [id, container] : ExpectedContainers()) {
    SCOPED_TRACE("control " + std::to_string(id));
    EXPECT_EQ(seen[id], 1);
    const HWND control = app->Control(id);
    ASSERT_NE(control, nullptr);
    const HWND parent = GetParent(control);
    if (container == 0) {
      EXPECT_EQ(parent, app->Form());
    } else {
      EXPECT_EQ(parent, app->Control(container));
    }
    if (id >= Frame(1) && id <= Frame(4)) {
      EXPECT_EQ(ClassOf(control), kFrameClass);
    }
  }
}

TEST_F(MainWindow, StartsOnTheXpPanelWithOnlyTheLockedControlsDisabled) {
  EXPECT_TRUE(app->OwnVisible(Frame(1)));
  EXPECT_FALSE(app->OwnVisible(Frame(2)));
  EXPECT_FALSE(app->OwnVisible(Frame(4)));
  EXPECT_TRUE(IsWindowVisible(app->Control(Frame(3))));
  EXPECT_TRUE(IsWindowVisible(app->Control(Text(2))));

  const std::set<int> disabled = {Text(2),     Text(3),     Text(4),     Command(7),
                                  Command(8),  Command(11), Command(12), Command(21)};
  for (const auto& [id, container] : ExpectedContainers()) {
    if (id >= Frame(1) && id <= Frame(4)) continue;
    EXPECT_EQ(app->Enabled(id), disabled.count(id) == 0) << "control " << id;
  }
}

TEST_F(MainWindow, PlatformButtonsShowOnePanelAndEnableOnlyItsOptimizeButton) {
  struct Platform {
    int button;
    int frame;
    int optimize;
  };
  const Platform platforms[] = {{Command(1), Frame(2), Command(16)},
                                {Command(17), Frame(4), Command(18)},
                                {Command(14), Frame(1), Command(15)}};
  for (const Platform& chosen : platforms) {
    // Pressing twice leaves the window as after the first press.
    for (int press = 0; press < 2; ++press) {
      SCOPED_TRACE("button " + std::to_string(chosen.button) + ", press " +
                   std::to_string(press + 1));
      ASSERT_TRUE(app->Click(chosen.button));
      for (const Platform& other : platforms) {
        EXPECT_EQ(app->OwnVisible(other.frame), other.frame == chosen.frame) << other.frame;
        EXPECT_EQ(app->Enabled(other.optimize), other.optimize == chosen.optimize)
            << other.optimize;
        EXPECT_TRUE(app->Enabled(other.button));
      }
      EXPECT_TRUE(IsWindowVisible(app->Control(Frame(3))));
      EXPECT_TRUE(IsWindowVisible(app->Control(Check(1))));
      EXPECT_TRUE(IsWindowVisible(app->Control(chosen.frame)));
    }
  }
}

TEST_F(MainWindow, ProgramRunsUntilTheHostsWindowClosesToo) {
  ASSERT_TRUE(app->Click(Command(5)));
  const HWND hosts = WaitForTopLevelWindow(app->ProcessId(), {}, L"HOSTS迷你防火墙", 15000);
  ASSERT_NE(hosts, nullptr);
  EXPECT_EQ(GetWindow(hosts, GW_OWNER), nullptr);

  PostMessageW(app->Form(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(test_support::WaitUntil([&] { return !IsWindow(app->Form()); }, 10000)) << "the main window did not close";
  EXPECT_FALSE(app->WaitForExit(1000)) << "the program ended with the HOSTS window open";
  EXPECT_TRUE(IsWindowVisible(hosts));

  PostMessageW(hosts, WM_CLOSE, 0, 0);
  EXPECT_TRUE(app->WaitForExit(10000)) << "the program outlived its last window";
}

TEST_F(MainWindow, ABoxFromTheMainWindowDisablesTheSecondaryWindowsUntilItCloses) {
  std::vector<HWND> secondary;
  for (const auto& [button, caption] : {std::pair{Command(4), L"隔外优化"}, std::pair{Command(5), L"HOSTS迷你防火墙"}}) {
    ASSERT_TRUE(app->Click(button));
    secondary.push_back(WaitForTopLevelWindow(app->ProcessId(), {}, caption, 15000));
    ASSERT_NE(secondary.back(), nullptr);
  }
  app->PostClick(Command(6));  // refresh with no xp.bat: the failure report
  const HWND box = app->WaitForBox(15000);
  ASSERT_NE(box, nullptr);
  for (HWND window : secondary) EXPECT_FALSE(IsWindowEnabled(window)) << "clickable while the box is up";
  ASSERT_TRUE(app->DismissBox(box));
  for (HWND window : secondary) EXPECT_TRUE(IsWindowEnabled(window)) << "still disabled after the box";
  EXPECT_TRUE(IsWindowEnabled(app->Form()));
}

}  // namespace
}  // namespace quellbrook::e2e
