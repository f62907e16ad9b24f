// The main window as another process sees it: its controls, geometry, the
// platform switch, the secondary windows, high DPI and the embedded manifest.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app_windows.h"
#include "running_app.h"

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

TEST_F(MainWindow, StartsOnTheXpPanelWithTheInitialTextsAndFlags) {
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

  EXPECT_EQ(app->Text(Text(3)), L"VISTA后台优化目前提供处理，不提供功能\r\n");
  EXPECT_EQ(app->Text(Text(4)), L"暂提供后台处理，不提供功能\r\n");
  const std::wstring intro = app->Text(Text(2));
  EXPECT_EQ(intro.rfind(L"  感谢你使用", 0), 0u) << Narrow(intro);
  EXPECT_EQ(intro.substr(intro.size() >= 2 ? intro.size() - 2 : 0), L"\r\n");
  for (int n = 1; n <= 20; ++n) {
    EXPECT_EQ(SendMessageW(app->Control(Check(n)), BM_GETCHECK, 0, 0), BST_UNCHECKED) << n;
  }
}

TEST_F(MainWindow, HasAFixedBorderAndItsPlaceAndSizeAtNinetySixDpi) {
  RECT client{};
  ASSERT_TRUE(GetClientRect(app->Form(), &client));
  EXPECT_EQ(client.right - client.left, 608);
  EXPECT_EQ(client.bottom - client.top, 354);

  POINT origin{0, 0};
  ASSERT_TRUE(ClientToScreen(app->Form(), &origin));
  EXPECT_EQ(origin.x, 248);
  EXPECT_EQ(origin.y, 174);

  const LONG style = GetWindowLongW(app->Form(), GWL_STYLE);
  EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
  EXPECT_EQ(style & WS_MINIMIZEBOX, 0);
  EXPECT_EQ(style & WS_THICKFRAME, 0);
  EXPECT_NE(style & WS_SYSMENU, 0);
  EXPECT_EQ(TitleOf(app->Form()), kMainCaption);
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

TEST_F(MainWindow, AHiddenPanelKeepsItsTextAndFlags) {
  ASSERT_TRUE(app->Click(Command(17)));
  ASSERT_TRUE(app->Click(Command(20)));  // Win7 edit
  ASSERT_TRUE(app->SetText(Text(4), L"unsaved\r\n"));
  ASSERT_TRUE(app->Click(Command(14)));
  EXPECT_FALSE(app->OwnVisible(Frame(4)));
  ASSERT_TRUE(app->Click(Command(17)));

  EXPECT_TRUE(app->OwnVisible(Frame(4)));
  EXPECT_EQ(app->Text(Text(4)), L"unsaved\r\n");
  EXPECT_TRUE(app->Enabled(Text(4)));
  EXPECT_TRUE(app->Enabled(Command(21)));
  EXPECT_FALSE(app->Enabled(Command(20)));
  EXPECT_FALSE(app->Enabled(Text(2)));
}

TEST_F(MainWindow, ExtraOptimizationWindowOpensOnlyOnce) {
  const std::wstring caption = L"隔外优化";
  ASSERT_TRUE(app->Click(Command(4)));
  ASSERT_NE(WaitForTopLevelWindow(app->ProcessId(), {}, caption, 15000), nullptr);
  ASSERT_TRUE(app->Click(Command(4)));
  EXPECT_EQ(app->WindowsCaptioned(caption).size(), 1u);
  EXPECT_TRUE(IsWindowVisible(app->Form()));
}

TEST_F(MainWindow, ProgramRunsUntilTheHostsWindowClosesToo) {
  ASSERT_TRUE(app->Click(Command(5)));
  const HWND hosts = WaitForTopLevelWindow(app->ProcessId(), {}, L"HOSTS迷你防火墙", 15000);
  ASSERT_NE(hosts, nullptr);
  EXPECT_EQ(GetWindow(hosts, GW_OWNER), nullptr);

  PostMessageW(app->Form(), WM_CLOSE, 0, 0);
  const ULONGLONG deadline = GetTickCount64() + 10000;
  while (IsWindow(app->Form()) && GetTickCount64() < deadline) Sleep(20);
  ASSERT_FALSE(IsWindow(app->Form())) << "the main window did not close";
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

// Sets the DPI that programs started from now on read, and puts 96 back.
class SystemDpi {
 public:
  explicit SystemDpi(DWORD dpi) { ok_ = Set(dpi); }
  ~SystemDpi() { Set(96); }
  bool Ok() const { return ok_; }

 private:
  static bool Set(DWORD dpi) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
      return false;
    }
    const bool ok = RegSetValueExW(key, L"LogPixels", 0, REG_DWORD,
                                   reinterpret_cast<const BYTE*>(&dpi), sizeof dpi) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
  }
  bool ok_;
};

TEST(HighDpi, ClientAreaKeepsItsSizeInTwips) {
  struct Case {
    DWORD dpi;
    LONG width;
    LONG height;
  };
  // Twips scale as MulDiv(twips, dpi, 1440), which rounds: 5310 twips at 120
  // DPI are 442.5 pixels, so 443.
  for (const Case& c : {Case{120, 760, 443}, Case{144, 912, 531}}) {
    SCOPED_TRACE("LogPixels " + std::to_string(c.dpi));
    const SystemDpi dpi(c.dpi);
    ASSERT_TRUE(dpi.Ok());
    WorkFolder folder;
    const AppSession app(folder.Path());
    ASSERT_TRUE(app.Started()) << Narrow(app.Error());
    RECT client{};
    ASSERT_TRUE(GetClientRect(app.Form(), &client));
    EXPECT_EQ(client.right, c.width);
    EXPECT_EQ(client.bottom, c.height);
  }
}

TEST(ExeManifest, AsksForAdministratorCommonControlsSixAndPerMonitorDpi) {
  const std::wstring exe = QuellbrookExePath();
  const HMODULE image = LoadLibraryExW(
      exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(image, nullptr) << "cannot load " << Narrow(exe);
  const HRSRC resource = FindResourceW(image, MAKEINTRESOURCEW(1), RT_MANIFEST);
  ASSERT_NE(resource, nullptr) << "no manifest with ID 1";
  const HGLOBAL loaded = LoadResource(image, resource);
  const char* bytes = static_cast<const char*>(LockResource(loaded));
  ASSERT_NE(bytes, nullptr);
  const std::string manifest(bytes, SizeofResource(image, resource));
  FreeLibrary(image);

  EXPECT_NE(manifest.find("requireAdministrator"), std::string::npos);
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
}

}  // namespace
}  // namespace quellbrook::e2e
