#include <gtest/gtest.h>

#include <optional>

#include "fakes/fake_services.h"
#include "fakes/fake_window.h"
#include "hosts/blocklist.h"
#include "hosts/form3.h"
#include "support/gbk.h"

namespace quellbrook {
namespace {

using test_support::Gbk;

const ControlId kRefresh = Command(1);
const ControlId kEdit = Command(2);
const ControlId kSave = Command(3);
const ControlId kFind = Command(4);
const ControlId kFuzzyFind = Command(5);

const std::u16string kSuffix(kFoundSuffix);

// SystemRoot is a relative folder, as "C:\WINDOWS" would be on Windows.
class Form3Test : public ::testing::Test {
 protected:
  Form3Test() {
    platform_.environment.variables[u"SystemRoot"] = u"WINDOWS";
    files_.MakeFolder("WINDOWS/system32/drivers/etc");
  }

  FakeWidget& Box() { return form_[Text(1)]; }
  void WriteHosts(std::u16string_view text) { files_.Put(kHostsFile, Gbk(text)); }
  // Clicks a search button and answers the input box with `search`.
  void Search(ControlId button, std::u16string search) {
    platform_.boxes.answers.push_back(std::move(search));
    ASSERT_TRUE(form_.Click(button));
  }

  static constexpr const char* kHostsFile = "WINDOWS/system32/drivers/etc/hosts";
  FakeServices platform_;
  MemoryFileStore& files_ = platform_.store;
  FakeWindow form_{kForm3Window, platform_.services()};
};

TEST_F(Form3Test, OpensWithTheBuiltInBlocklistLockedAndEveryButtonEnabled) {
  EXPECT_EQ(Box().Text(), BuiltInBlocklist());
  EXPECT_FALSE(Box().Enabled());
  for (ControlId button : {kRefresh, kEdit, kSave, kFind, kFuzzyFind}) EXPECT_TRUE(form_[button].Enabled());
}

// The enabled column of the state table, from either state.
TEST_F(Form3Test, EachOperationLeavesTheBoxEnabledOrNotAsItsRowSays) {
  struct Row {
    ControlId button;
    std::optional<bool> enabledAfter;  // nothing: unchanged
  };
  const Row rows[] = {{kRefresh, false}, {kEdit, true}, {kSave, false}, {kFind, {}}, {kFuzzyFind, {}}};
  WriteHosts(u"0.0.0.0 a.com\r\n");
  for (const Row& row : rows) {
    for (bool enabledBefore : {false, true}) {
      Box().SetEnabled(enabledBefore);
      platform_.boxes.answers.push_back(u"a.com");
      ASSERT_TRUE(form_.Click(row.button));
      EXPECT_EQ(Box().Enabled(), row.enabledAfter.value_or(enabledBefore))
          << "button " << ToInt(row.button) << ", enabled before: " << enabledBefore;
    }
  }
  EXPECT_TRUE(platform_.boxes.failures.empty());
}

TEST_F(Form3Test, RefreshReplacesEvenEditedTextByTheFileAsJoinedText) {
  WriteHosts(u"127.0.0.1 localhost\r\n# 注释\rlast");
  form_.Click(kEdit);
  Box().SetText(u"unsaved");
  ASSERT_TRUE(form_.Click(kRefresh));
  EXPECT_EQ(Box().Text(), u"127.0.0.1 localhost\r\n# 注释\r\nlast\r\n");
  EXPECT_EQ(Box().TextSetCount(), 2) << "filled once by the refresh";
}

// The first save creates the file from the untouched, disabled box; the
// second, from the unlocked box, shows that the box locks only after the
// confirmation, and the file is complete before it each time.
TEST_F(Form3Test, SaveWritesTheBoxWithOneLineBreakAddedThenConfirmsThenLocks) {
  std::vector<bool> enabledWhileConfirming;
  platform_.boxes.whileMessageShown = [&](std::u16string_view) {
    EXPECT_EQ(files_.Bytes(kHostsFile), Gbk(BuiltInBlocklist()) + "\r\n");
    enabledWhileConfirming.push_back(Box().Enabled());
  };
  ASSERT_TRUE(form_.Click(kSave));
  form_.Click(kEdit);
  ASSERT_TRUE(form_.Click(kSave));
  EXPECT_EQ(enabledWhileConfirming, (std::vector<bool>{false, true}));
  EXPECT_EQ(platform_.boxes.messages, std::vector<std::u16string>(2, u"成功写入hosts文件……"));
}

// Matching lines in file order: the comment, the entry with the name inside,
// the line saved from an earlier search. The capitals and the empty line do not
// match.
constexpr std::u16string_view kSearchedFile =
    u"# bad.cn 的注释\r\n0.0.0.0 www.bad.cn.evil.com\r\n0.0.0.0 BAD.CN\r\n\r\n"
    u"0.0.0.0 good.com\r\n0.0.0.0 bad.cn 该恶意网站已存在\r\n0.0.0.0 other.net";

TEST_F(Form3Test, FindShowsOnlyTheLastMatchingLineWithTheSuffix) {
  WriteHosts(kSearchedFile);
  Search(kFind, u"bad.cn");
  EXPECT_EQ(platform_.boxes.prompts, std::vector<std::u16string>{u"请输入要搜索的恶意网站:"});
  EXPECT_EQ(Box().Text(), u"0.0.0.0 bad.cn 该恶意网站已存在" + kSuffix);
  EXPECT_EQ(Box().TextSetCount(), 1);

  Search(kFind, u"BAD");
  EXPECT_EQ(Box().Text(), u"0.0.0.0 BAD.CN" + kSuffix) << "case-sensitive";
  Search(kFind, u"bad.CN");
  EXPECT_EQ(Box().TextSetCount(), 2) << "no match leaves the box";
}

TEST_F(Form3Test, FuzzyFindPutsTheMatchesLastFirstInFrontOfTheBoxTwiceInARow) {
  WriteHosts(kSearchedFile);
  const std::u16string matches = u"0.0.0.0 bad.cn 该恶意网站已存在" + kSuffix + u"\n" +
                                 u"0.0.0.0 www.bad.cn.evil.com" + kSuffix + u"\n" +
                                 u"# bad.cn 的注释" + kSuffix + u"\n";
  Search(kFuzzyFind, u"bad.cn");
  EXPECT_EQ(Box().Text(), matches + std::u16string(BuiltInBlocklist()));
  Search(kFuzzyFind, u"bad.cn");
  Search(kFuzzyFind, u"bad.CN");
  EXPECT_EQ(Box().Text(), matches + matches + std::u16string(BuiltInBlocklist()));
  EXPECT_EQ(Box().TextSetCount(), 2) << "filled once per search, and not when nothing matches";
  EXPECT_TRUE(platform_.boxes.messages.empty() && platform_.boxes.failures.empty());
}

TEST_F(Form3Test, CancelSearchesForTheEmptyTextWhichMatchesEveryNonEmptyLine) {
  WriteHosts(u"\r\none\r\n\r\ntwo\r\n\r\n");
  form_.Click(kFind);  // no answer queued: the user cancels
  EXPECT_EQ(Box().Text(), u"two" + kSuffix);
  Box().SetText(u"T");
  form_.Click(kFuzzyFind);
  EXPECT_EQ(Box().Text(), u"two" + kSuffix + u"\none" + kSuffix + u"\nT");
  EXPECT_EQ(platform_.boxes.prompts.size(), 2u);
}

// Neither unsaved edits nor the blocklist are searched; the file is closed
// while the user types, and searched as it was when the button was pressed.
TEST_F(Form3Test, SearchesReadTheFileAsItWasWhenOpenedNeverTheBox) {
  WriteHosts(u"0.0.0.0 before.com\r\n");
  form_.Click(kEdit);
  Box().SetText(u"0.0.0.0 unsaved.com");
  Search(kFind, u"unsaved");
  const std::u16string_view blocklist = BuiltInBlocklist();
  Search(kFuzzyFind, std::u16string(blocklist.substr(blocklist.rfind(u'\n') + 1)));  // its last entry, not on disk
  EXPECT_EQ(Box().Text(), u"0.0.0.0 unsaved.com");
  platform_.boxes.whileAsked = [&](std::u16string_view) {
    EXPECT_FALSE(platform_.files().IsOpen());
    WriteHosts(u"0.0.0.0 after.com\r\n");
  };
  Search(kFind, u".com");
  EXPECT_EQ(Box().Text(), u"0.0.0.0 before.com" + kSuffix);
}

// Refresh, find and fuzzy find on a missing file: reported, before any input
// box, and the box keeps text and flag.
TEST_F(Form3Test, AMissingFileIsReportedAndChangesNothing) {
  form_.Click(kEdit);
  for (ControlId button : {kRefresh, kFind, kFuzzyFind}) {
    platform_.boxes.failures.clear();
    form_.Click(button);
    ASSERT_EQ(platform_.boxes.failures.size(), 1u) << ToInt(button);
    EXPECT_EQ(platform_.boxes.failures[0].Number(), 2u);
    EXPECT_FALSE(platform_.files().IsOpen());
  }
  EXPECT_TRUE(platform_.boxes.prompts.empty());
  EXPECT_EQ(Box().Text(), BuiltInBlocklist());
  EXPECT_EQ(Box().TextSetCount(), 0);
  EXPECT_TRUE(Box().Enabled());
}

// The path is SystemRoot's value followed directly by the fixed tail, built
// anew for every operation.
TEST_F(Form3Test, TheHostsPathIsSystemRootFollowedByTheFixedTail) {
  platform_.environment.variables[u"SystemRoot"] = u"C:\\WINDOWS";
  files_.Put("C:/WINDOWS/system32/drivers/etc/hosts", "0.0.0.0 c.com");
  form_.Click(kRefresh);
  EXPECT_EQ(Box().Text(), u"0.0.0.0 c.com\r\n");
}

// Unset, empty or naming a missing folder: every operation on the file is
// reported before any input box, and no file appears.
TEST_F(Form3Test, WithoutAUsableSystemRootEveryOperationFailsAndCreatesNothing) {
  struct Row {
    std::optional<std::u16string> systemRoot;
    std::uint32_t number;
  };
  const Row rows[] = {{std::nullopt, 203}, {u"", 203}, {u"NOWHERE", 3}};
  form_.Click(kEdit);
  const std::vector<std::string> names = files_.Names();
  for (const Row& row : rows) {
    platform_.environment.variables.erase(u"SystemRoot");
    if (row.systemRoot) platform_.environment.variables[u"SystemRoot"] = *row.systemRoot;
    for (ControlId button : {kRefresh, kSave, kFind, kFuzzyFind}) {
      platform_.boxes.failures.clear();
      ASSERT_TRUE(form_.Click(button));
      ASSERT_EQ(platform_.boxes.failures.size(), 1u) << ToInt(button);
      EXPECT_EQ(platform_.boxes.failures[0].Number(), row.number) << ToInt(button);
    }
    EXPECT_EQ(files_.Names(), names);
  }
  EXPECT_TRUE(platform_.boxes.prompts.empty() && platform_.boxes.messages.empty());
  EXPECT_EQ(Box().Text(), BuiltInBlocklist());
  EXPECT_TRUE(Box().Enabled());
}

}  // namespace
}  // namespace quellbrook
