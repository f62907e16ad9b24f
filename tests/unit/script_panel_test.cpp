#include <gtest/gtest.h>

#include "app/form1.h"
#include "fakes/fake_services.h"
#include "fakes/fake_window.h"
#include "scripts/script_panel.h"
#include "support/gbk.h"
#include "support/panel_flags.h"
#include "support/u16.h"

namespace quellbrook {
namespace {

using test_support::Gbk;

class ScriptPanelTest : public ::testing::TestWithParam<std::size_t> {
 protected:
  ScriptPanelTest() { form_.Click(panel_.platformButton); }

  std::string File() const { return test_support::Utf8(panel_.scriptFile); }

  // T, E and S: text box, edit button and save button enabled.
  std::string Flags() { return test_support::PanelFlags(form_, panel_); }

  const ScriptPanel& panel_ = kScriptPanels[GetParam()];
  const bool unlocks_ = panel_.refreshUnlocksEdit;
  FakeServices platform_;
  MemoryFileStore& files_ = platform_.store;
  FakeWindow form_{kForm1Window, platform_.services()};
};

TEST_P(ScriptPanelTest, RefreshShowsTheScriptAsJoinedText) {
  files_.Put(File(), Gbk(u"@echo off\r\nsc config Spooler start= AUTO"));
  const std::string before = Flags();
  ASSERT_TRUE(form_.Click(panel_.refreshButton));
  EXPECT_EQ(form_[panel_.textBox].Text(), u"@echo off\r\nsc config Spooler start= AUTO\r\n");
  EXPECT_EQ(form_[panel_.textBox].TextSetCount(), 1) << "a real text box is filled once";
  EXPECT_EQ(Flags(), unlocks_ ? "-E-" : before);
  EXPECT_TRUE(platform_.boxes.failures.empty());
}

TEST_P(ScriptPanelTest, EditUnlocksTheBoxAndSave) {
  files_.Put(File(), "x");
  form_.Click(panel_.refreshButton);
  ASSERT_TRUE(form_.Click(panel_.editButton));
  EXPECT_EQ(Flags(), "T-S");
}

TEST_P(ScriptPanelTest, SaveWritesTheBoxThenConfirmsThenLocks) {
  files_.Put(File(), "old\r\n");
  form_.Click(panel_.refreshButton);
  form_.Click(panel_.editButton);
  form_[panel_.textBox].SetText(u"rem 关闭服务\r\nsc config Spooler start= DISABLED\r\n");
  platform_.boxes.whileMessageShown = [&](std::u16string_view) {
    EXPECT_EQ(files_.Bytes(File()), Gbk(u"rem 关闭服务\r\nsc config Spooler start= DISABLED\r\n\r\n"))
        << "the file is complete before the confirmation shows";
    EXPECT_EQ(Flags(), "T-S") << "the panel locks only after the confirmation is closed";
  };
  ASSERT_TRUE(form_.Click(panel_.saveButton));
  EXPECT_EQ(platform_.boxes.messages, std::vector<std::u16string>{std::u16string(panel_.saveConfirmation)});
  EXPECT_EQ(Flags(), "-E-");
  EXPECT_EQ(files_.Names(), std::vector<std::string>{File()});
}

TEST_P(ScriptPanelTest, RefreshWhileEditingDiscardsTheUnsavedText) {
  files_.Put(File(), "disk");
  form_.Click(panel_.refreshButton);
  form_.Click(panel_.editButton);
  form_[panel_.textBox].SetText(u"unsaved");
  form_.Click(panel_.refreshButton);
  EXPECT_EQ(form_[panel_.textBox].Text(), u"disk\r\n");
  EXPECT_EQ(Flags(), unlocks_ ? "TES" : "T-S");
}

TEST_P(ScriptPanelTest, RefreshOfAMissingScriptIsReportedAndChangesNothing) {
  const std::u16string before = form_[panel_.textBox].Text();
  const std::string flags = Flags();
  form_.Click(panel_.refreshButton);
  ASSERT_EQ(platform_.boxes.failures.size(), 1u);
  EXPECT_EQ(platform_.boxes.failures[0].Number(), 2u);
  EXPECT_EQ(form_[panel_.textBox].Text(), before);
  EXPECT_EQ(Flags(), flags);
  EXPECT_FALSE(platform_.files().IsOpen());

  files_.Put(File(), "now here");
  form_.Click(panel_.refreshButton);
  EXPECT_EQ(form_[panel_.textBox].Text(), u"now here\r\n");
}

TEST_P(ScriptPanelTest, BackupAndOptimizeLaunchCommandWindowsAndChangeNothing) {
  const std::string flags = Flags();
  form_.Click(panel_.backupButton);
  form_.Click(panel_.optimizeButton);
  form_.Click(panel_.optimizeButton);
  const std::u16string optimize(panel_.optimizeCommandLine);
  EXPECT_EQ(platform_.launcher.commandLines, (std::vector<std::u16string>{u"cmd /k bf.bat", optimize, optimize}));
  EXPECT_EQ(Flags(), flags);
  EXPECT_TRUE(files_.Names().empty()) << "no script is checked or created";
}

TEST_P(ScriptPanelTest, AFailedLaunchIsReported) {
  platform_.launcher.failure = PlatformError(2, u"系统找不到指定的文件。");
  form_.Click(panel_.optimizeButton);
  EXPECT_EQ(platform_.boxes.failures.size(), 1u);
}

TEST_P(ScriptPanelTest, SaveWritesOnlyItsOwnScript) {
  for (const ScriptPanel& other : kScriptPanels) files_.Put(test_support::Utf8(other.scriptFile), "untouched");
  form_.Click(panel_.refreshButton);
  form_.Click(panel_.editButton);
  form_.Click(panel_.saveButton);
  for (const ScriptPanel& other : kScriptPanels) {
    if (&other == &panel_) continue;
    EXPECT_EQ(files_.Bytes(test_support::Utf8(other.scriptFile)), "untouched");
  }
}

std::string PanelName(const ::testing::TestParamInfo<std::size_t>& info) {
  static const char* const kNames[] = {"XP", "Vista", "Win7"};
  return kNames[info.param];
}

INSTANTIATE_TEST_SUITE_P(AllPanels, ScriptPanelTest, ::testing::Values(0u, 1u, 2u), PanelName);

// Rows that differ between the panels.
class PanelDifferencesTest : public ::testing::Test {
 protected:
  FakeServices platform_;
  FakeWindow form_{kForm1Window, platform_.services()};
};

TEST_F(PanelDifferencesTest, WithoutItsScriptTheXpPanelNeverReachesSave) {
  form_.Click(Command(6));
  EXPECT_FALSE(form_.Click(Command(7)));
  EXPECT_FALSE(form_.Click(Command(8)));
  EXPECT_TRUE(platform_.store.Names().empty());
}

TEST_F(PanelDifferencesTest, TheWin7PanelCanSaveItsInitialTextBeforeAnyRefresh) {
  form_.Click(Command(17));
  ASSERT_TRUE(form_.Click(Command(20)));
  ASSERT_TRUE(form_.Click(Command(21)));
  EXPECT_EQ(platform_.store.Bytes("Win7.bat"), Gbk(u"暂提供后台处理，不提供功能\r\n\r\n"));
  EXPECT_EQ(platform_.boxes.messages, std::vector<std::u16string>{u"成功写入Win7.bat文件……"});
}

}  // namespace
}  // namespace quellbrook
