// The XP service switches on a real xp.bat, ticked and cleared by mouse and by
// keyboard: the exact bytes on disk after every toggle, and the partner box.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "running_app.h"

namespace quellbrook::e2e {
namespace {

constexpr int kUpdatesOn = Check(11);   // "打开自动更新"
constexpr int kUpdatesOff = Check(12);  // "关闭自动更新"

// ":: 自动更新" in code page 936, and the service line in both modes.
const std::string kComment = ":: \xd7\xd4\xb6\xaf\xb8\xfc\xd0\xc2\r\n";
const std::string kAuto = "sc config wuauserv start= AUTO\r\n";
const std::string kDisabled = "sc config wuauserv start= DISABLED\r\n";

struct Input {
  const char* name;
  bool (AppSession::*toggle)(int id) const;
};

class ServiceSwitches : public RunningApp, public ::testing::WithParamInterface<Input> {
 protected:
  // Toggles the box the user's way and gives xp.bat's bytes once the handler
  // has returned. The box takes its new value in the same message that runs
  // the handler, and the value is asked for by a message of its own, so the
  // new value shows only after the handler; xp.bat is not touched before,
  // which could get in the way of its replacement.
  std::optional<std::string> Toggle(int box) {
    const int before = app->CheckValue(box);
    if (before < 0 || !(app.get()->*GetParam().toggle)(box)) return std::nullopt;
    for (const ULONGLONG deadline = GetTickCount64() + 15000; app->CheckValue(box) == before; Sleep(10)) {
      if (GetTickCount64() > deadline) return std::nullopt;
    }
    return folder.Read(L"xp.bat");
  }
};

TEST_P(ServiceSwitches, TickUntickAndPartnerRewriteXpBatByteForByte) {
  ASSERT_TRUE(folder.Write(L"xp.bat", kComment + kAuto));
  const std::wstring panelText = app->Text(Text(2));

  std::string expected = kComment + kDisabled + "\r\n";
  EXPECT_EQ(Toggle(kUpdatesOff), expected) << "tick 关闭自动更新";
  EXPECT_EQ(app->CheckValue(kUpdatesOff), 1);
  EXPECT_EQ(app->CheckValue(kUpdatesOn), 0);

  expected = kComment + kAuto + "\r\n\r\n";
  EXPECT_EQ(Toggle(kUpdatesOn), expected) << "tick 打开自动更新";
  EXPECT_EQ(app->CheckValue(kUpdatesOn), 1);
  EXPECT_EQ(app->CheckValue(kUpdatesOff), 0) << "the partner is cleared";

  // Clearing rewrites in the box's own direction once more: nothing is left
  // to turn on, so only the empty line comes.
  expected += "\r\n";
  EXPECT_EQ(Toggle(kUpdatesOn), expected) << "untick 打开自动更新";
  EXPECT_EQ(app->CheckValue(kUpdatesOn), 0);
  EXPECT_EQ(app->CheckValue(kUpdatesOff), 0);

  EXPECT_EQ(app->Text(Text(2)), panelText) << "the XP panel is not reloaded";
  EXPECT_EQ(app->WaitForBox(0), nullptr) << "no report";
  EXPECT_EQ(folder.Names(), std::vector<test_support::path>{L"xp.bat"});
}

INSTANTIATE_TEST_SUITE_P(ByMouseAndKeyboard, ServiceSwitches,
                         ::testing::Values(Input{"Mouse", &AppSession::PostMouseClick},
                                           Input{"SpaceBar", &AppSession::PostSpaceKey}),
                         [](const ::testing::TestParamInfo<Input>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace quellbrook::e2e
