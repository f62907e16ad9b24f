// The ten buttons of the extra optimization window against the recording
// scripting host: the exact calls of every tweak, and where each one stops when
// a host cannot be created or a call fails.

#include <gtest/gtest.h>

#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fakes/fake_services.h"
#include "app/form1.h"
#include "fakes/fake_window.h"
#include "tweaks/form2.h"
#include "tweaks/registry_tweak.h"
#include "support/tweak_effects.h"

namespace quellbrook {
namespace {

using test_support::ExpectedTweak;
using test_support::TweakStep;

// The window on a fresh set of recording services.
struct Form2Session {
  FakeServices platform;
  FakeScriptingHostFactory& host = platform.scripting;
  FakeWindow form{kForm2Window, platform.services()};
};

class RegistryTweakTest : public ::testing::TestWithParam<ExpectedTweak> {
 protected:
  // The recorded calls are the first `count` expected ones.
  void ExpectFirstCalls(const std::vector<RegistryCall>& calls, std::size_t count) {
    ASSERT_EQ(calls.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
      SCOPED_TRACE("call " + std::to_string(i + 1));
      const TweakStep& want = expected_.steps[i];
      EXPECT_EQ(calls[i].kind == RegistryCall::Kind::kDelete, want.kind == TweakStep::Kind::kDelete);
      EXPECT_EQ(calls[i].name, want.path);
      EXPECT_EQ(calls[i].value, want.data);
      EXPECT_EQ(calls[i].type, want.type ? std::optional<std::u16string>(*want.type) : std::nullopt);
    }
  }

  const ExpectedTweak& expected_ = GetParam();
  const ControlId button_ = Command(expected_.button);
  const std::size_t steps_ = expected_.steps.size();
};

TEST_P(RegistryTweakTest, ClickMakesTheTabledCallsEachOnAHostOfItsOwnHeldToTheEnd) {
  Form2Session window;
  ASSERT_TRUE(window.form.Click(button_));
  ExpectFirstCalls(window.host.calls, steps_);
  for (std::size_t i = 0; i < window.host.calls.size(); ++i) {
    EXPECT_EQ(window.host.calls[i].hostInstance, static_cast<int>(i + 1)) << "a new host for every call";
    EXPECT_EQ(window.host.calls[i].hostsAlive, static_cast<int>(i + 1)) << "earlier hosts are held to the end";
  }
  EXPECT_EQ(window.host.created, static_cast<int>(steps_));
  EXPECT_EQ(window.host.alive, 0);
  EXPECT_TRUE(window.platform.boxes.failures.empty());
  EXPECT_TRUE(window.platform.boxes.messages.empty());
  for (const ControlRow& row : kForm2Table.controls) {
    EXPECT_EQ(window.form[row.id].Text(), row.caption) << "the window never changes its buttons";
    EXPECT_TRUE(window.form[row.id].Enabled() && window.form[row.id].Visible());
  }
}

TEST_P(RegistryTweakTest, AFailureAtAnyStepEndsTheTweakThereAndIsReportedUnlessTrapped) {
  for (std::size_t step = 1; step <= steps_; ++step) {
    for (const bool inCreation : {true, false}) {
      SCOPED_TRACE("step " + std::to_string(step) + (inCreation ? ", host not created" : ", call fails"));
      Form2Session window;
      FakeScriptingHostFactory& host = window.host;
      (inCreation ? host.failCreation : host.failCall) = static_cast<int>(step);

      ASSERT_TRUE(window.form.Click(button_));
      ExpectFirstCalls(host.calls, step - 1);
      EXPECT_EQ(host.created, static_cast<int>(inCreation ? step - 1 : step));
      EXPECT_EQ(host.alive, 0) << "every host released on the failure path too";
      EXPECT_TRUE(window.platform.boxes.messages.empty());
      const std::vector<PlatformError>& reports = window.platform.boxes.failures;
      if (expected_.endsQuietly) {
        EXPECT_TRUE(reports.empty());
      } else {
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].Number(), host.failure.Number());
        EXPECT_EQ(reports[0].Description(), host.failure.Description());
      }

      // The window stays usable: the next press runs the whole tweak.
      host.failCreation = host.failCall = std::nullopt;
      host.calls.clear();
      ASSERT_TRUE(window.form.Click(button_));
      ExpectFirstCalls(host.calls, steps_);
    }
  }
}

// The 32-bit program on 64-bit Windows: the first step whose key WOW64
// redirects fails before its host exists, and the tweak ends there as on any
// failure.
TEST_P(RegistryTweakTest, UnderWow64ARedirectedStepFailsBeforeItsHostNamingTheKeyAndTheX64Build) {
  Form2Session window;
  window.platform.environment.wow64 = true;
  ASSERT_TRUE(window.form.Click(button_));

  const std::size_t stop = expected_.firstRedirected;
  const std::size_t made = stop == 0 ? steps_ : stop - 1;
  ExpectFirstCalls(window.host.calls, made);
  EXPECT_EQ(window.host.created, static_cast<int>(made));
  EXPECT_EQ(window.host.alive, 0);
  const std::vector<PlatformError>& reports = window.platform.boxes.failures;
  if (stop == 0 || expected_.endsQuietly) {
    EXPECT_TRUE(reports.empty());
    return;
  }
  ASSERT_EQ(reports.size(), 1u);
  const TweakStep& redirected = expected_.steps[stop - 1];
  const bool deletes = redirected.kind == TweakStep::Kind::kDelete;
  const std::u16string key(redirected.path.substr(0, deletes ? redirected.path.size() - 1 : redirected.path.rfind(u'\\')));
  EXPECT_EQ(reports[0].Number(), error_number::kNotSupported);
  EXPECT_NE(reports[0].Description().find(u"“" + key + u"”"), std::u16string::npos);
  EXPECT_NE(reports[0].Description().find(u"x64 版"), std::u16string::npos);
}

INSTANTIATE_TEST_SUITE_P(AllButtons, RegistryTweakTest, ::testing::ValuesIn(test_support::kExpectedTweaks),
                         [](const auto& info) { return std::string(info.param.name); });

// Command1 and Command5 trap more than the platform's failures: running out of
// memory on the way to the host ends them quietly too.
TEST(TrappingTweaks, EndQuietlyOnAnyFailure) {
  for (const int button : {1, 5}) {
    Form2Session window;
    window.host.failCall = 1;
    window.host.otherFailure = std::make_exception_ptr(std::bad_alloc());
    ASSERT_TRUE(window.form.Click(Command(button)));
    EXPECT_TRUE(window.host.calls.empty()) << button;
    EXPECT_TRUE(window.platform.boxes.failures.empty()) << button;
  }
}

TEST(RegistryTweakTable, EveryButtonOfTheWindowHasATweakAndNothingElseHasOne) {
  ASSERT_EQ(kForm2Table.controls.size(), kRegistryTweaks.size());
  for (const ControlRow& row : kForm2Table.controls) {
    const RegistryTweak* tweak = FindRegistryTweak(row.id);
    ASSERT_NE(tweak, nullptr) << ToInt(row.id);
    EXPECT_EQ(tweak->button, row.id);
  }
  EXPECT_EQ(FindRegistryTweak(Command(11)), nullptr);
  EXPECT_EQ(kForm2Table.art.icon, kForm1Table.art.icon) << "the main window's icon";
}

}  // namespace
}  // namespace quellbrook
