// Every operation that writes, driven through each way a save can break down
// and through input no file should hold: the old file stays whole and the user
// is told.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/form1.h"
#include "fakes/fake_services.h"
#include "fakes/fake_window.h"
#include "hosts/form3.h"
#include "scripts/script_panel.h"
#include "scripts/service_switch.h"
#include "support/gbk.h"
#include "support/test_files.h"

namespace quellbrook {
namespace {

using namespace std::string_literals;
using test_support::Gbk;
using test_support::ReadBytes;
using test_support::WriteBytes;

std::string Narrow(std::u16string_view text) { return Gbk(text); }

class WindowsFixture : public ::testing::Test {
 protected:
  WindowsFixture() {
    platform_.environment.variables[u"SystemRoot"] = u"WINDOWS";
    std::filesystem::create_directories("WINDOWS/system32/drivers/etc");
  }

  test_support::TempFolder folder_;
  test_support::CurrentFolderScope inFolder_{folder_.Path()};
  FakeServices platform_;
  FakeWindow form1_{kForm1Window, platform_.services()};
  FakeWindow form3_{kForm3Window, platform_.services()};
};

// One way of saving a box: a panel or the HOSTS window.
struct SavingBox {
  std::string name;
  std::string file;
  FakeWindow& window;
  ControlId box;
  // Loads the file into the box and unlocks it for editing.
  std::function<void()> load;
  ControlId save;
};

class ReliabilityTest : public WindowsFixture {
 protected:
  std::vector<SavingBox> SavingBoxes() {
    std::vector<SavingBox> boxes;
    for (const ScriptPanel& panel : kScriptPanels) {
      boxes.push_back({Narrow(panel.scriptFile), Narrow(panel.scriptFile), form1_, panel.textBox,
                       [this, &panel] {
                         form1_.Click(panel.platformButton);
                         ASSERT_TRUE(form1_.Click(panel.refreshButton));
                         // A failed save leaves the panel unlocked.
                         if (form1_[panel.editButton].Enabled()) form1_.Click(panel.editButton);
                       },
                       panel.saveButton});
    }
    boxes.push_back({"hosts", "WINDOWS/system32/drivers/etc/hosts", form3_, Text(1),
                     [this] {
                       ASSERT_TRUE(form3_.Click(Command(1)));
                       ASSERT_TRUE(form3_.Click(Command(2)));
                     },
                     Command(3)});
    return boxes;
  }

  std::vector<test_support::path> Names(const std::string& file) const {
    std::vector<test_support::path> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(file).parent_path() / "."))
      names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
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
    const ControlId box = panel.textBox, edit = panel.editButton, save = panel.saveButton;
    writers.push_back({Narrow(panel.scriptFile), Narrow(panel.scriptFile), "old\r\nlines\r\n", "new\r\ntext\r\n\r\n",
                       [this, &panel] {
                         form1_.Click(panel.platformButton);
                         form1_.Click(panel.refreshButton);
                         form1_.Click(panel.editButton);
                         form1_[panel.textBox].SetText(u"new\r\ntext\r\n");
                       },
                       [this, save] { ASSERT_TRUE(form1_.Click(save)); },
                       [this, box, edit, save] {
                         return std::string(form1_[box].Enabled() ? "T" : "-") + (form1_[edit].Enabled() ? "E" : "-") +
                                (form1_[save].Enabled() ? "S" : "-");
                       },
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

  struct Fault {
    SaveStep step;
    int append = 1;
  };
  // A save writes the text, then its closing line break: the first and the last Append.
  const Fault faults[] = {{SaveStep::kOpen},  {SaveStep::kAppend, 1}, {SaveStep::kAppend, 2},
                          {SaveStep::kFlush}, {SaveStep::kReplace},   {SaveStep::kAttributes}};
  for (const Writer& writer : writers) {
    for (const Fault& fault : faults) {
      SCOPED_TRACE(writer.name + ", step " + std::to_string(static_cast<int>(fault.step)) + ", append " +
                   std::to_string(fault.append));
      WriteBytes(writer.file, writer.oldBytes);
      writer.prepare();
      const auto names = Names(writer.file);
      platform_.boxes.failures.clear();
      platform_.boxes.messages.clear();
      platform_.store.failAt = fault.step;
      platform_.store.failAppend = fault.append;

      writer.act();
      EXPECT_FALSE(platform_.files().IsOpen());
      EXPECT_EQ(Names(writer.file), names) << "no temporary file is left";
      platform_.store.failAt.reset();
      if (fault.step == SaveStep::kAttributes) {
        // The new content is in place: the save stands and says so.
        EXPECT_EQ(ReadBytes(writer.file), writer.newBytes);
        EXPECT_TRUE(platform_.boxes.failures.empty());
        EXPECT_EQ(writer.state(), writer.savedState);
        continue;
      }
      EXPECT_EQ(ReadBytes(writer.file), writer.oldBytes);
      ASSERT_EQ(platform_.boxes.failures.size(), 1u);
      EXPECT_EQ(platform_.boxes.failures[0].Number(), FaultyFileStore::FailureOf(fault.step).Number());
      EXPECT_TRUE(platform_.boxes.messages.empty()) << "no confirmation";
      EXPECT_EQ(writer.state(), writer.failedState);

      writer.act();
      EXPECT_TRUE(platform_.boxes.failures.size() == 1u) << "the next write works";
      EXPECT_EQ(ReadBytes(writer.file), writer.newBytes);
      EXPECT_EQ(writer.state(), writer.savedState);
      EXPECT_EQ(Names(writer.file), names);
      if (!writer.confirmation.empty()) {
        EXPECT_EQ(platform_.boxes.messages, std::vector{writer.confirmation});
      }
    }
  }
  EXPECT_EQ(platform_.store.attributesLost, static_cast<int>(writers.size()));
}

// Bytes that are no text, as every window loads and saves them back: only the
// line rules change them (a lone CR becomes CR LF, a save adds one CR LF).
TEST_F(ReliabilityTest, EveryBoxSavesBackBadBytesExactly) {
  struct Row {
    const char* name;
    std::string bytes;
    std::string saved;
  };
  const std::string tenMegabytes(10 << 20, 'x');
  const Row rows[] = {
      {"invalid in 936", "a\x81\x20" "b\xfe\x7f" "c\r\n"s, "a\x81\x20" "b\xfe\x7f" "c\r\n\r\n"s},
      {"lone lead byte at the end", "end\x81"s, "end\x81\r\n\r\n"s},
      {"0x80 and 0xFF", "\x80x\xff"s, "\x80x\xff\r\n\r\n"s},
      {"NUL", "a\0b\r\n\0"s, "a\0b\r\n\0\r\n\r\n"s},
      {"only CR", "a\rb\r"s, "a\r\nb\r\n\r\n"s},
      {"only LF", "a\nb\n"s, "a\nb\n\r\n\r\n"s},
      {"mixed", "a\r\nb\nc\rd\n\r"s, "a\r\nb\nc\r\nd\n\r\n\r\n"s},
      {"no final break", "x"s, "x\r\n\r\n"s},
      {"empty", ""s, "\r\n"s},
      {"10 MB in one line", tenMegabytes, tenMegabytes + "\r\n\r\n"},
  };
  for (const SavingBox& box : SavingBoxes()) {
    for (const Row& row : rows) {
      SCOPED_TRACE(box.name + ": " + row.name);
      WriteBytes(box.file, row.bytes);
      box.load();
      ASSERT_TRUE(box.window.Click(box.save));
      EXPECT_TRUE(ReadBytes(box.file) == row.saved);
    }
  }
  EXPECT_TRUE(platform_.boxes.failures.empty());
}

// Typed characters that code page 936 cannot hold: the save names the first
// of them and its line, and the file stays as it was.
TEST_F(ReliabilityTest, EveryBoxRefusesToSaveWhatTheCodePageCannotHold) {
  struct Row {
    std::u16string text;
    std::u16string named;
  };
  const Row rows[] = {{u"ok\r\nsmile \U0001F600", u"第 2 行的字符“\U0001F600”（U+1F600）"},
                      {u"一\r\n二\n三\r\n\U00020000 ext B", u"第 3 行的字符“\U00020000”（U+20000）"}};
  for (const SavingBox& box : SavingBoxes()) {
    for (const Row& row : rows) {
      SCOPED_TRACE(box.name);
      WriteBytes(box.file, "old\r\n");
      box.load();
      const auto names = Names(box.file);
      box.window[box.box].SetText(row.text);
      platform_.boxes.failures.clear();
      ASSERT_TRUE(box.window.Click(box.save));
      ASSERT_EQ(platform_.boxes.failures.size(), 1u);
      EXPECT_EQ(platform_.boxes.failures[0].Number(), error_number::kNoUnicodeTranslation);
      EXPECT_NE(platform_.boxes.failures[0].Description().find(row.named), std::u16string::npos);
      EXPECT_EQ(ReadBytes(box.file), "old\r\n");
      EXPECT_EQ(Names(box.file), names);
    }
  }
}

// The input box answered with a long text, nothing, or Cancel: both searches
// give what the answer matches, and nothing else changes.
TEST_F(ReliabilityTest, EitherSearchTakesAnyAnswerOfTheInputBox) {
  const std::u16string longText(10000, u'a');
  const std::u16string suffix(kFoundSuffix);
  WriteBytes("WINDOWS/system32/drivers/etc/hosts", "one\r\n" + std::string(10000, 'a') + "\r\n\r\n");
  struct Row {
    std::optional<std::u16string> answer;  // nothing: Cancel
    std::u16string found;                  // the box after find
    std::u16string fuzzyFound;             // what fuzzy find puts in front of the box
  };
  const Row rows[] = {
      {longText, longText + suffix, longText + suffix + u"\n"},
      {longText + u"a", u"box", u""},
      {u"", longText + suffix, longText + suffix + u"\none" + suffix + u"\n"},
      {std::nullopt, longText + suffix, longText + suffix + u"\none" + suffix + u"\n"},
  };
  for (const Row& row : rows) {
    for (bool fuzzy : {false, true}) {
      form3_[Text(1)].SetText(u"box");
      if (row.answer) platform_.boxes.answers.push_back(*row.answer);
      ASSERT_TRUE(form3_.Click(fuzzy ? Command(5) : Command(4)));
      EXPECT_EQ(form3_[Text(1)].Text(), fuzzy ? row.fuzzyFound + u"box" : row.found);
    }
  }
  EXPECT_TRUE(platform_.boxes.failures.empty());
  EXPECT_EQ(ReadBytes("WINDOWS/system32/drivers/etc/hosts"), "one\r\n" + std::string(10000, 'a') + "\r\n\r\n");
}

}  // namespace
}  // namespace quellbrook
