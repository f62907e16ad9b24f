// Every operation that writes, driven through each way a save can break down:
// the old file stays whole, the user is told, and the next write works.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/form1.h"
#include "fakes/fake_services.h"
#include "fakes/fake_window.h"
#include "hosts/form3.h"
#include "scripts/script_panel.h"
#include "scripts/service_switch.h"
#include "support/gbk.h"
#include "support/panel_flags.h"
#include "support/u16.h"

namespace quellbrook {
namespace {

using test_support::Gbk;
using test_support::Utf8;

class ReliabilityTest : public ::testing::Test {
 protected:
  ReliabilityTest() { platform_.environment.variables[u"SystemRoot"] = u"WINDOWS"; }

  FakeServices platform_;
  FakeWindow form1_{kForm1Window, platform_.services()};
  FakeWindow form3_{kForm3Window, platform_.services()};
};

// An operation that writes, with what the window shows after it failed and
// after it succeeded.
struct Writer {
  std::string name;
  std::string file;
  std::string oldBytes;
  std::string newBytes;
  std::function<void()> prepare;  // once, before the first attempt
  std::function<void()> act;      // one attempt, from any state
  std::function<std::string()> state;
  std::string failedState;
  std::string savedState;
  std::u16string confirmation;
};

TEST_F(ReliabilityTest, EveryWriteFailingAtEveryStepKeepsTheOldFileAndTheNextWriteWorks) {
  std::vector<Writer> writers;
  for (const ScriptPanel& panel : kScriptPanels) {
    const ControlId save = panel.saveButton;
    writers.push_back({Utf8(panel.scriptFile), Utf8(panel.scriptFile), "old\r\nlines\r\n", "new\r\ntext\r\n\r\n",
                       [this, &panel] {
                         form1_.Click(panel.platformButton);
                         form1_.Click(panel.refreshButton);
                         form1_.Click(panel.editButton);
                         form1_[panel.textBox].SetText(u"new\r\ntext\r\n");
                       },
                       [this, save] { ASSERT_TRUE(form1_.Click(save)); },
                       [this, &panel] { return test_support::PanelFlags(form1_, panel); },
                       "T-S", "-E-", std::u16string(panel.saveConfirmation)});
  }
  const ServiceSwitch& toggle = kServiceSwitches[0];
  const std::string from = "sc config " + Gbk(toggle.findText), to = "sc config " + Gbk(toggle.replacement);
  writers.push_back({"switch", "xp.bat", from + "\r\n", to + "\r\n\r\n",
                     [this, &toggle] { form1_[toggle.partner].SetCheckValue(1); },
                     [this, &toggle] {
                       form1_[toggle.checkBox].SetCheckValue(0);  // the click ticks it
                       ASSERT_TRUE(form1_.Click(toggle.checkBox));
                     },
                     [this, &toggle] {
                       return std::to_string(form1_[toggle.checkBox].CheckValue()) +
                              std::to_string(form1_[toggle.partner].CheckValue());
                     },
                     "11", "10", u""});
  writers.push_back({"hosts", "WINDOWS/system32/drivers/etc/hosts", "0.0.0.0 old.com\r\n", "0.0.0.0 new.com\r\n",
                     [this] {
                       form3_.Click(Command(2));
                       form3_[Text(1)].SetText(u"0.0.0.0 new.com");
                     },
                     [this] { ASSERT_TRUE(form3_.Click(Command(3))); },
                     [this] { return std::string(form3_[Text(1)].Enabled() ? "unlocked" : "locked"); }, "unlocked",
                     "locked", std::u16string(kHostsSavedMessage)});

  for (const Writer& writer : writers) {
    for (const SaveStep step : {SaveStep::kOpen, SaveStep::kWrite, SaveStep::kFlush, SaveStep::kReplace}) {
      SCOPED_TRACE(writer.name + ", step " + std::to_string(static_cast<int>(step)));
      const std::size_t slash = writer.file.rfind('/');
      const std::string folder = slash == std::string::npos ? "" : writer.file.substr(0, slash);
      platform_.store.Put(writer.file, writer.oldBytes);
      writer.prepare();
      const auto names = platform_.store.Names(folder);
      platform_.boxes.failures.clear();
      platform_.boxes.messages.clear();
      platform_.store.failAt = step;

      writer.act();
      EXPECT_FALSE(platform_.files().IsOpen());
      EXPECT_EQ(platform_.store.Names(folder), names) << "no replacement is left";
      platform_.store.failAt.reset();
      EXPECT_EQ(platform_.store.Bytes(writer.file), writer.oldBytes);
      ASSERT_EQ(platform_.boxes.failures.size(), 1u);
      EXPECT_EQ(platform_.boxes.failures[0].Number(), MemoryFileStore::FailureOf(step).Number());
      EXPECT_TRUE(platform_.boxes.messages.empty()) << "no confirmation";
      EXPECT_EQ(writer.state(), writer.failedState);

      writer.act();
      EXPECT_TRUE(platform_.boxes.failures.size() == 1u) << "the next write works";
      EXPECT_EQ(platform_.store.Bytes(writer.file), writer.newBytes);
      EXPECT_EQ(writer.state(), writer.savedState);
      EXPECT_EQ(platform_.store.Names(folder), names);
      if (!writer.confirmation.empty()) {
        EXPECT_EQ(platform_.boxes.messages, std::vector{writer.confirmation});
      }
    }
  }
}

}  // namespace
}  // namespace quellbrook
