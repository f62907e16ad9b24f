#include <gtest/gtest.h>

#include "app/form1.h"
#include "hosts/form3.h"
#include "tweaks/form2.h"
#include "fakes/fake_window.h"
#include "scripts/script_panel.h"
#include "fakes/fake_services.h"
#include "support/gbk.h"
#include "support/test_files.h"

namespace quellbrook {
namespace {

class Form1Test : public ::testing::Test {
 protected:
  test_support::TempFolder folder_;
  test_support::CurrentFolderScope inFolder_{folder_.Path()};
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
  for (ControlId text : {Text(2), Text(3), Text(4)}) EXPECT_FALSE(form_[text].Enabled());
  for (ControlId off : {Command(7), Command(8), Command(11), Command(12), Command(21)}) {
    EXPECT_FALSE(form_[off].Enabled()) << ToInt(off);
  }
  EXPECT_TRUE(form_[Command(20)].Enabled());
  for (int n = 1; n <= 20; ++n) EXPECT_EQ(form_[Check(n)].CheckValue(), 0);
}

TEST_F(Form1Test, IntroTextHasTwelveLines) {
  const std::u16string intro = form_[Text(2)].Text();
  std::size_t breaks = 0;
  for (std::size_t at = intro.find(u"\r\n"); at != std::u16string::npos; at = intro.find(u"\r\n", at + 2)) ++breaks;
  EXPECT_EQ(breaks, 12u);
  EXPECT_NE(intro.find(u"\r\n的后台服务。             \r\n"), std::u16string::npos);
  EXPECT_NE(intro.find(u"\r\n" + std::u16string(32, u' ') + u"-----Varnock   10/01/06\r\n"), std::u16string::npos);
}

TEST_F(Form1Test, EachPlatformButtonShowsOnlyItsPanelAndEnablesOnlyItsOptimizeButton) {
  ASSERT_TRUE(form_.Click(Command(1)));
  EXPECT_EQ(SwitchState(), "-V- -E-");
  ASSERT_TRUE(form_.Click(Command(17)));
  EXPECT_EQ(SwitchState(), "--V --E");
  ASSERT_TRUE(form_.Click(Command(14)));
  EXPECT_EQ(SwitchState(), "V-- E--");
  ASSERT_TRUE(form_.Click(Command(14)));
  EXPECT_EQ(SwitchState(), "V-- E--");
  EXPECT_TRUE(form_[Frame(3)].Visible());
  EXPECT_TRUE(form_.Showing(Check(1)));
}

TEST_F(Form1Test, TheSwitchLeavesPanelStateAlone) {
  test_support::WriteBytes("xp.bat", "echo xp\r\n");
  form_.Click(Command(6));
  form_.Click(Command(7));
  form_[Text(2)].SetText(u"unsaved");
  form_.Click(Command(1));
  EXPECT_FALSE(form_.Showing(Text(2)));
  form_.Click(Command(14));
  EXPECT_EQ(form_[Text(2)].Text(), u"unsaved");
  EXPECT_TRUE(form_[Text(2)].Enabled());
  EXPECT_TRUE(form_[Command(8)].Enabled());
  EXPECT_FALSE(form_[Command(7)].Enabled());
  EXPECT_TRUE(form_[Command(14)].Enabled() && form_[Command(1)].Enabled() && form_[Command(17)].Enabled());
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
