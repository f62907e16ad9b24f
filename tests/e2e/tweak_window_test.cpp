// What each button of the extra optimization window leaves in the real
// registry, read back with type and data. Every test puts the registry back as
// it found it.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app_windows.h"
#include "registry_state.h"
#include "running_app.h"
#include "tweak_registry.h"
#include "wine.h"

namespace quellbrook::e2e {
namespace {

using test_support::EffectOf;
using test_support::ExpectedTweak;
using test_support::ReadRegistryValue;
using test_support::RegistryEffect;
using test_support::RegistryGuard;
using test_support::RegistryKeyExists;
using test_support::RunningUnderWine;
using test_support::TweakStep;

// The extra optimization window, opened from the main window, and the tweak
// its button makes.
class TweakButton : public RunningApp, public ::testing::WithParamInterface<ExpectedTweak> {
 protected:
  void SetUp() override {
    RunningApp::SetUp();
    if (HasFatalFailure()) return;
    window = app->OpenWindow(Command(4), kTweaksCaption);
    ASSERT_NE(window, nullptr) << "the extra optimization window did not open";
  }

  HWND window = nullptr;
};

// The registry is read in its 64-bit view. The x86 build on 64-bit Windows
// stops at a redirected step: trapping tweaks silently, the others with a
// report (error 50); nothing lands under WOW6432Node.
TEST_P(TweakButton, LeavesItsValuesInTheRegistryWithTheirTypes) {
  const ExpectedTweak& tweak = GetParam();
  std::vector<RegistryEffect> effects;
  for (const TweakStep& step : tweak.steps) effects.push_back(EffectOf(step));
  const std::size_t stop = test_support::Is32BitProcessOn64BitWindows() ? tweak.firstRedirected : 0;
  const HWND button = GetDlgItem(window, Command(tweak.button));
  RegistryGuard guard;
  for (const RegistryEffect& effect : effects) {
    if (effect.value) {
      guard.KeepValue(effect.root, effect.key, *effect.value);
      test_support::DeleteRegistryValue(effect.root, effect.key, *effect.value);
    } else {
      // A key with a value in it, for the tweak to delete.
      ASSERT_TRUE(guard.KeepKey(effect.root, effect.key));
      ASSERT_TRUE(test_support::SetRegistryValue(effect.root, effect.key, L"QuellbrookTest", REG_SZ, {'x', 0, 0, 0}));
    }
  }

  if (stop == 0 || tweak.endsQuietly) {
    ASSERT_TRUE(app->ClickOn(button)) << "the click did not return (an error report?)";
    EXPECT_EQ(app->WaitForBox(0), nullptr);
  } else {
    const std::optional<std::wstring> report = app->ClickExpectingBoxOn(button);
    ASSERT_TRUE(report) << "no error report";
    EXPECT_NE(report->find(L"'50'"), std::wstring::npos) << Utf8(*report);
    EXPECT_NE(report->find(L"x64 版"), std::wstring::npos) << Utf8(*report);
  }

  for (std::size_t at = 0; at < effects.size(); ++at) {
    const RegistryEffect& effect = effects[at];
    if (stop != 0 && at + 1 >= stop) {
      SCOPED_TRACE(Utf8(effect.key));
      const bool tookEffect = effect.value ? ReadRegistryValue(effect.root, effect.key, *effect.value).has_value()
                                           : !RegistryKeyExists(effect.root, effect.key);
      EXPECT_FALSE(tookEffect) << "a step at or after the redirected one took effect";
      if (effect.value) {
        const std::wstring copy = L"SOFTWARE\\WOW6432Node" + effect.key.substr(8);
        EXPECT_FALSE(ReadRegistryValue(effect.root, copy, *effect.value)) << "written into WOW6432Node";
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
        EXPECT_FALSE(keyLeft) << Utf8(effect.key);
      }
      continue;
    }
    SCOPED_TRACE(Utf8(*effect.value));
    const std::optional<test_support::RegistryValue> stored = ReadRegistryValue(effect.root, effect.key, *effect.value);
    ASSERT_TRUE(stored) << "not written";
    EXPECT_EQ(stored->type, effect.type);
    if (effect.type == REG_SZ) {
      EXPECT_EQ(stored->Text(), effect.text);
    } else {
      EXPECT_EQ(stored->Number(), effect.number);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllButtons, TweakButton, ::testing::ValuesIn(test_support::kExpectedTweaks),
                         ::testing::PrintToStringParamName());

}  // namespace
}  // namespace quellbrook::e2e
