#include <gtest/gtest.h>

#include <set>

#include "app/form1.h"
#include "hosts/form3.h"
#include "tweaks/form2.h"
#include "fakes/fake_window.h"
#include "scripts/script_panel.h"
#include "fakes/fake_services.h"
#include "support/u16.h"

namespace quellbrook {
namespace {

class Form1Test : public ::testing::Test {
 protected:
  FakeServices platform_;
  FakeWindow form_{kForm1Window, platform_.services()};

  // Visible frames and enabled optimize buttons, for comparing whole states.
  std::string SwitchState() {
    std::string state;
    for (ControlId frame : {Frame(1), Frame(2), Frame(4)}) state += form_[frame].Visible() ? 'V' : '-';
    state += ' ';
    for (ControlId optimize : {Command(15), Command(16), Command(18)}) state += form_[optimize].Enabled() ? 'E' : '-';
    return state;
  }
};

TEST_F(Form1Test, StartsOnTheXpPanelWithEveryOptimizeButtonEnabled) {
  EXPECT_EQ(SwitchState(), "V-- EEE");
  EXPECT_TRUE(form_[Frame(3)].Visible());
  EXPECT_TRUE(form_[Text(2)].Text().starts_with(u"  感谢你使用“Varnock”制作的软件。\r\n"));
  EXPECT_TRUE(form_[Text(2)].Text().ends_with(u"\r\n"));
  EXPECT_EQ(form_[Text(3)].Text(), u"VISTA后台优化目前提供处理，不提供功能\r\n");
  EXPECT_EQ(form_[Text(4)].Text(), u"暂提供后台处理，不提供功能\r\n");
  const std::set<ControlId> disabled = {Text(2),     Text(3),     Text(4),     Command(7),
                                        Command(8),  Command(11), Command(12), Command(21)};
  for (const ControlRow& row : kForm1Table.controls) {
    if (row.kind != ControlKind::kFrame) {
      EXPECT_EQ(form_[row.id].Enabled(), !disabled.contains(row.id)) << ToInt(row.id);
    }
  }
  for (int n = 1; n <= 20; ++n) EXPECT_EQ(form_[Check(n)].CheckValue(), 0);
}

// Each press, the second as well, shows one panel and enables only its
// optimize button; the platform buttons and the XP options stay.
TEST_F(Form1Test, EachPlatformButtonShowsOnlyItsPanelAndEnablesOnlyItsOptimizeButton) {
  const std::pair<ControlId, const char*> rows[] = {
      {Command(1), "-V- -E-"}, {Command(17), "--V --E"}, {Command(14), "V-- E--"}};
  for (const auto& [button, state] : rows) {
    for (int press = 0; press < 2; ++press) {
      ASSERT_TRUE(form_.Click(button));
      EXPECT_EQ(SwitchState(), state) << ToInt(button) << ", press " << press + 1;
      EXPECT_TRUE(form_.Showing(Check(1)));
      for (ControlId platform : {Command(1), Command(14), Command(17)}) EXPECT_TRUE(form_[platform].Enabled());
    }
  }
}

// A panel being edited, hidden and shown again, keeps its text and flags.
TEST_F(Form1Test, TheSwitchLeavesPanelStateAlone) {
  for (std::size_t n = 0; n < kScriptPanels.size(); ++n) {
    const ScriptPanel& panel = kScriptPanels[n];
    const ScriptPanel& other = kScriptPanels[(n + 1) % kScriptPanels.size()];
    FakeWindow form(kForm1Window, platform_.services());
    platform_.store.Put(test_support::Utf8(panel.scriptFile), "echo\r\n");
    form.Click(panel.platformButton);
    form.Click(panel.refreshButton);
    ASSERT_TRUE(form.Click(panel.editButton));
    form[panel.textBox].SetText(u"unsaved");
    form.Click(other.platformButton);
    EXPECT_FALSE(form.Showing(panel.textBox));
    form.Click(panel.platformButton);
    EXPECT_EQ(form[panel.textBox].Text(), u"unsaved");
    EXPECT_TRUE(form[panel.textBox].Enabled() && form[panel.saveButton].Enabled()) << n;
    EXPECT_FALSE(form[panel.editButton].Enabled() || form[other.textBox].Enabled()) << n;
  }
}

TEST_F(Form1Test, HiddenPanelsTakeNoClicksButTheirOptimizeButtonsDoUntilTheFirstSwitch) {
  EXPECT_FALSE(form_.Click(Command(10))) << "Vista refresh is inside a hidden frame";
  EXPECT_TRUE(form_.Click(Command(16)));
  EXPECT_TRUE(form_.Click(Command(18)));
  EXPECT_EQ(platform_.launcher.commandLines, (std::vector<std::u16string>{u"cmd /k vista.bat", u"cmd /k Win7.bat"}));
  form_.Click(Command(14));
  EXPECT_FALSE(form_.Click(Command(16)));
  EXPECT_EQ(platform_.launcher.commandLines.size(), 2u);
}

TEST_F(Form1Test, NavigationButtonsShowTheSecondaryWindows) {
  form_.Click(Command(4));
  form_.Click(Command(4));
  form_.Click(Command(5));
  EXPECT_EQ(platform_.windows.shown,
            (std::vector<const WindowDefinition*>{&kForm2Window, &kForm2Window, &kForm3Window}));
}

TEST_F(Form1Test, AFailureToShowAWindowIsReportedAndTheProgramGoesOn) {
  platform_.windows.failure = PlatformError(1400, u"无效的窗口句柄。");
  form_.Click(Command(5));
  ASSERT_EQ(platform_.boxes.failures.size(), 1u);
  EXPECT_EQ(platform_.boxes.failures[0].Number(), 1400u);
  form_.Click(Command(1));
  EXPECT_EQ(SwitchState(), "-V- -E-");
}

}  // namespace
}  // namespace quellbrook
