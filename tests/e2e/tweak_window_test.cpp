// The extra optimization window as another process sees it: its geometry and
// buttons, and what each button leaves in the real registry, read back with
// type and data. Every test puts the registry back as it found it.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app_windows.h"
#include "registry_state.h"
#include "running_app.h"
#include "tweak_effects.h"
#include "wine.h"

namespace quellbrook::e2e {
namespace {

using test_support::ReadRegistryValue;
using test_support::RegistryGuard;
using test_support::RegistryKeyExists;
using test_support::RunningUnderWine;

constexpr wchar_t kCaption[] = L"隔外优化";

// The main window with the extra optimization window opened from it.
class TweakWindow : public RunningApp {
 protected:
  void SetUp() override {
    RunningApp::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(app->Click(Command(4)));
    window = WaitForTopLevelWindow(app->ProcessId(), kFormClass, kCaption, 15000);
    ASSERT_NE(window, nullptr) << "the extra optimization window did not open";
  }

  HWND Button(int n) const { return GetDlgItem(window, Command(n)); }

  HWND window = nullptr;
};

TEST_F(TweakWindow, HasTenButtonsInTwoColumnsAtItsFixedPlaceAndAFixedBorder) {
  RECT client{};
  ASSERT_TRUE(GetClientRect(window, &client));
  EXPECT_EQ(client.right, 329);  // 4935 × 2490 twips
  EXPECT_EQ(client.bottom, 166);
  POINT origin{0, 0};
  ASSERT_TRUE(ClientToScreen(window, &origin));
  EXPECT_EQ(origin.x, 313);  // 4695 and 3570 twips
  EXPECT_EQ(origin.y, 238);

  const LONG style = GetWindowLongW(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_THICKFRAME), 0);
  EXPECT_NE(style & WS_SYSMENU, 0);
  EXPECT_EQ(TitleOf(window), kCaption);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);

  const wchar_t* const captions[] = {
      L"删除我的电脑中共享文档", L"卸载无用的动态链接",     L"关闭光驱自动加载光盘",
      L"加快XP自动更新率",       L"加速开机/启动/网上邻居", L"NTFS文件系统优化",
      L"关闭预读取\uFF08VISTA\uFF09", L"禁用Vista的UAP", L"加快窗口弹出\uFF08VISTA\uFF09",
      L"快速启动系统\uFF08Win7\uFF09",
  };
  // Children in tab order, which is the order of the button numbers.
  std::vector<int> order;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    order.push_back(GetDlgCtrlID(child));
  }
  EXPECT_EQ(order, (std::vector<int>{Command(1), Command(2), Command(3), Command(4), Command(5), Command(6),
                                     Command(7), Command(8), Command(9), Command(10)}));
  for (int n = 1; n <= 10; ++n) {
    SCOPED_TRACE("Command" + std::to_string(n));
    const HWND button = Button(n);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(ClassOf(button), L"Button");
    EXPECT_EQ(TitleOf(button), captions[n - 1]);
    EXPECT_TRUE(IsWindowVisible(button) && IsWindowEnabled(button));
    RECT rect{};
    GetWindowRect(button, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    // Left 120 or 2520, top 120 + 480 per row, 2295 × 375 twips.
    EXPECT_EQ(rect.left, n % 2 == 1 ? 8 : 168);
    EXPECT_EQ(rect.top, 8 + 32 * ((n - 1) / 2));
    EXPECT_EQ(rect.right - rect.left, 153);
    EXPECT_EQ(rect.bottom - rect.top, 25);
  }
}

class TweakButton : public TweakWindow, public ::testing::WithParamInterface<Tweak> {};

// The registry is read in its 64-bit view. The x86 build on 64-bit Windows
// stops at a redirected step: trapping tweaks silently, the others with a
// report (error 50); nothing lands under WOW6432Node.
TEST_P(TweakButton, LeavesItsValuesInTheRegistryWithTheirTypes) {
  const Tweak& tweak = GetParam();
  const std::size_t stop = test_support::Is32BitProcessOn64BitWindows() ? tweak.firstRedirected : 0;
  RegistryGuard guard;
  for (const Effect& effect : tweak.effects) {
    if (effect.value) {
      guard.KeepValue(effect.root, effect.key, effect.value);
      test_support::DeleteRegistryValue(effect.root, effect.key, effect.value);
    } else {
      // A key with a value in it, for the tweak to delete.
      ASSERT_TRUE(guard.KeepKey(effect.root, effect.key));
      ASSERT_TRUE(test_support::SetRegistryValue(effect.root, effect.key, L"QuellbrookTest", REG_SZ, {'x', 0, 0, 0}));
    }
  }

  if (stop == 0 || tweak.endsQuietly) {
    ASSERT_TRUE(app->ClickOn(Button(tweak.button))) << "the click did not return (an error report?)";
    EXPECT_EQ(app->WaitForBox(0), nullptr);
  } else {
    app->PostClickOn(Button(tweak.button));
    const HWND box = app->WaitForBox(15000);
    ASSERT_NE(box, nullptr) << "no error report";
    const std::wstring report = AppSession::BoxText(box);
    EXPECT_NE(report.find(L"'50'"), std::wstring::npos) << Narrow(report);
    EXPECT_NE(report.find(L"x64 版"), std::wstring::npos) << Narrow(report);
    EXPECT_TRUE(app->DismissBox(box));
  }

  for (std::size_t at = 0; at < tweak.effects.size(); ++at) {
    const Effect& effect = tweak.effects[at];
    if (stop != 0 && at + 1 >= stop) {
      SCOPED_TRACE(Narrow(effect.key));
      const bool tookEffect = effect.value ? ReadRegistryValue(effect.root, effect.key, effect.value).has_value()
                                           : !RegistryKeyExists(effect.root, effect.key);
      EXPECT_FALSE(tookEffect) << "a step at or after the redirected one took effect";
      if (effect.value) {
        const std::wstring copy = L"SOFTWARE\\WOW6432Node" + std::wstring(effect.key).substr(8);
        EXPECT_FALSE(ReadRegistryValue(effect.root, copy, effect.value)) << "written into WOW6432Node";
      }
      continue;
    }
    if (!effect.value) {
      const bool keyLeft = RegistryKeyExists(effect.root, effect.key);
      if (RunningUnderWine()) {
        // Wine's scripting host has no RegDelete: the two trapping tweaks end
        // at their delete, silently, with the key in place.
        EXPECT_TRUE(keyLeft) << "this Wine deletes keys: Windows' outcome applies";
      } else {
        EXPECT_FALSE(keyLeft) << Narrow(effect.key);
      }
      continue;
    }
    SCOPED_TRACE(Narrow(effect.value));
    const std::optional<test_support::RegistryValue> stored = ReadRegistryValue(effect.root, effect.key, effect.value);
    ASSERT_TRUE(stored) << "not written";
    EXPECT_EQ(stored->type, effect.type);
    if (effect.type == REG_SZ) {
      EXPECT_EQ(stored->Text(), std::wstring(effect.text));
    } else {
      EXPECT_EQ(stored->Number(), effect.number);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllButtons, TweakButton, ::testing::ValuesIn(kTweaks),
                         [](const ::testing::TestParamInfo<Tweak>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quellbrook::e2e
