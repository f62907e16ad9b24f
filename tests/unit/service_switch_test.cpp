#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "app/form1.h"
#include "fakes/fake_services.h"
#include "fakes/fake_window.h"
#include "scripts/service_switch.h"
#include "support/control_row.h"
#include "support/gbk.h"

namespace quellbrook {
namespace {

using test_support::Gbk;

class SwitchFixture {
 protected:
  // Nothing when xp.bat is missing.
  std::optional<std::string> Script() const { return files_.Bytes("xp.bat"); }
  int Value(ControlId box) { return form_[box].CheckValue(); }

  FakeServices platform_;
  MemoryFileStore& files_ = platform_.store;
  FakeWindow form_{kForm1Window, platform_.services()};
};

// Every row of the switch table, through clicks on the main window.
class ServiceSwitchTest : public SwitchFixture, public ::testing::TestWithParam<std::size_t> {
 protected:
  // "sc config <service> start= <mode>" for the row's find text or replacement.
  static std::string Line(std::u16string_view startText) { return "sc config " + Gbk(startText); }

  const ServiceSwitch& row_ = kServiceSwitches[GetParam()];
  const std::string from_ = Line(row_.findText);
  const std::string to_ = Line(row_.replacement);
};

TEST_P(ServiceSwitchTest, RowFollowsThePairRules) {
  const int n = static_cast<int>(GetParam()) + 1;
  const bool on = n % 2 == 1;
  EXPECT_EQ(row_.checkBox, Check(n));
  EXPECT_EQ(row_.partner, Check(on ? n + 1 : n - 1));
  const ServiceSwitch* partner = FindServiceSwitch(row_.partner);
  ASSERT_NE(partner, nullptr);
  EXPECT_EQ(partner->partner, row_.checkBox);
  // The partner undoes the switch, on the same service.
  EXPECT_EQ(partner->findText, row_.replacement);
  EXPECT_EQ(partner->replacement, row_.findText);

  const std::u16string_view from = on ? u" start= DISABLED" : u" start= AUTO";
  const std::u16string_view to = on ? u" start= AUTO" : u" start= DISABLED";
  ASSERT_TRUE(row_.findText.ends_with(from));
  EXPECT_EQ(std::u16string(row_.findText.substr(0, row_.findText.size() - from.size())) + std::u16string(to),
            row_.replacement);
  EXPECT_TRUE(row_.caption.starts_with(on ? u"打开" : u"关闭"));
  const ControlRow* box = test_support::FindControl(kForm1Table, row_.checkBox);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->caption, row_.caption);
}

TEST_P(ServiceSwitchTest, TickRewritesOnlyItsOwnFindTextAndAddsAnEmptyLine) {
  // Both modes of every service; only this row's find text may change.
  std::string before = "@echo off\r\n";
  std::string after = before;
  for (const ServiceSwitch& any : kServiceSwitches) {
    const std::string line = Line(any.findText);
    before += line + "\r\n";
    after += (line == from_ ? to_ : line) + "\r\n";
  }
  files_.Put("xp.bat", before);
  const std::u16string intro = form_[Text(2)].Text();

  ASSERT_TRUE(form_.Click(row_.checkBox));
  EXPECT_EQ(Script(), after + "\r\n");
  EXPECT_EQ(Value(row_.checkBox), 1);
  EXPECT_EQ(Value(row_.partner), 0);
  EXPECT_EQ(form_[Text(2)].Text(), intro) << "the XP panel is not reloaded";
  EXPECT_EQ(form_[Text(2)].TextSetCount(), 0);
  EXPECT_TRUE(platform_.boxes.failures.empty());
  EXPECT_EQ(files_.Names(), std::vector<std::string>{"xp.bat"});
}

TEST_P(ServiceSwitchTest, ClearingRewritesAgainInTheSameDirection) {
  files_.Put("xp.bat", from_ + "\r\n");
  form_.Click(row_.checkBox);
  // Say the XP panel saved the old text back in between.
  files_.Put("xp.bat", from_ + "\r\n" + from_);

  ASSERT_TRUE(form_.Click(row_.checkBox));
  EXPECT_EQ(Value(row_.checkBox), 0);
  EXPECT_EQ(Value(row_.partner), 0);
  EXPECT_EQ(Script(), to_ + "\r\n" + to_ + "\r\n\r\n");
}

TEST_P(ServiceSwitchTest, TickingClearsATickedPartnerWithoutRunningItsRewrite) {
  files_.Put("xp.bat", from_ + "\r\n" + to_ + "\r\n");
  ASSERT_TRUE(form_.Click(row_.partner));
  ASSERT_EQ(Script(), from_ + "\r\n" + from_ + "\r\n\r\n");

  ASSERT_TRUE(form_.Click(row_.checkBox));
  EXPECT_EQ(Value(row_.checkBox), 1);
  EXPECT_EQ(Value(row_.partner), 0);
  EXPECT_EQ(Script(), to_ + "\r\n" + to_ + "\r\n\r\n\r\n");
}

INSTANTIATE_TEST_SUITE_P(AllSwitches, ServiceSwitchTest, ::testing::Range<std::size_t>(0, 20),
                         [](const auto& info) { return "Check" + std::to_string(info.param + 1); });

// What one tick of "打开放火墙" (ALG on) makes of a script, beyond the line
// rules of the channel and ReplaceAll's own.
struct Rewrite {
  const char* name;
  std::string before;
  std::string after;
};

class SwitchRewriteTest : public SwitchFixture, public ::testing::TestWithParam<Rewrite> {};

TEST_P(SwitchRewriteTest, TickGivesTheExpectedBytes) {
  files_.Put("xp.bat", GetParam().before);
  ASSERT_TRUE(form_.Click(Check(1)));
  EXPECT_TRUE(platform_.boxes.failures.empty());
  EXPECT_EQ(Script(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    AlgOn, SwitchRewriteTest,
    ::testing::Values(
        Rewrite{"EveryOccurrenceInEveryLine",
                "ALG start= DISABLED&ALG start= DISABLEDALG start= DISABLED\r\nsc config ALG start= DISABLED\r\n",
                "ALG start= AUTO&ALG start= AUTOALG start= AUTO\r\nsc config ALG start= AUTO\r\n\r\n"},
        // 81 41 is one character whose second byte is "A": no "ALG" here.
        Rewrite{"NoMatchInsideADoubleByteCharacter", "rem \x81\x41LG start= DISABLED\r\n",
                "rem \x81\x41LG start= DISABLED\r\n\r\n"}),
    [](const ::testing::TestParamInfo<Rewrite>& info) { return std::string(info.param.name); });

// A toggle whose xp.bat cannot be read: reported, nothing written, and the
// partner stays ticked. A failed save is ReliabilityTest's.
class SwitchFailureTest : public SwitchFixture, public ::testing::Test {};

TEST_F(SwitchFailureTest, AMissingScriptIsReportedWritesNothingAndLeavesThePartnerTicked) {
  form_[Check(2)].SetCheckValue(1);
  ASSERT_TRUE(form_.Click(Check(1)));
  ASSERT_EQ(platform_.boxes.failures.size(), 1u);
  EXPECT_EQ(platform_.boxes.failures[0].Number(), error_number::kFileNotFound);
  EXPECT_TRUE(files_.Names().empty());
  EXPECT_EQ(Value(Check(1)), 1) << "the box keeps the state the user gave it";
  EXPECT_EQ(Value(Check(2)), 1);
  EXPECT_FALSE(platform_.files().IsOpen());
}

}  // namespace
}  // namespace quellbrook
