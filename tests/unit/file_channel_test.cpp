#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/file_channel.h"
#include "fakes/iconv_code_page.h"
#include "fakes/memory_file_store.h"
#include "support/gbk.h"
#include "support/platform_failure.h"

namespace quellbrook {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::u16string>;

class FileChannelTest : public ::testing::Test {
 protected:
  Lines ReadLines(const std::string& bytes) {
    store_.Put("lines.txt", bytes);
    Lines lines;
    files_.OpenForInput(u"lines.txt");
    while (!files_.AtEnd()) lines.push_back(files_.ReadLine());
    files_.CloseFile();
    return lines;
  }

  // The error number a call fails with, or 0; keeps the description.
  template <typename Call>
  std::uint32_t FailureOf(Call call) {
    const std::optional<PlatformError> failure = test_support::FailureOf(call);
    lastFailure_ = failure ? failure->Description() : u"";
    return failure ? failure->Number() : 0;
  }

  MemoryFileStore store_;
  IconvCodePage codePage_{"CP936", 2};
  FileChannel files_{store_, codePage_};
  std::u16string lastFailure_;
};

// Lines end at CR LF or a lone CR, never at a lone LF; a last line without a
// break counts, and a final break adds no line.
const struct LineRow {
  std::string bytes;
  Lines lines;
} kLineRows[] = {
    {"a\r\nb\r\n", {u"a", u"b"}},
    {"a\rb\r", {u"a", u"b"}},
    {"lone\rcr\r\n", {u"lone", u"cr"}},
    {"a\nb\nc", {u"a\nb\nc"}},
    {"a\r\r\nb", {u"a", u"", u"b"}},
    {"\n\r\n", {u"\n"}},
    {"one\r\ntwo", {u"one", u"two"}},
    {"\r\n", {u""}},
    {"", {}},
};

TEST_F(FileChannelTest, ReadLineFollowsTheLineRules) {
  for (const LineRow& row : kLineRows) EXPECT_EQ(ReadLines(row.bytes), row.lines) << row.bytes;
}

TEST_F(FileChannelTest, ReadingPastTheEndFails) {
  store_.Put("one.txt", "x");
  files_.OpenForInput(u"one.txt");
  files_.ReadLine();
  EXPECT_EQ(FailureOf([&] { files_.ReadLine(); }), error_number::kHandleEof);
}

TEST_F(FileChannelTest, OpeningAMissingFileFailsAndLeavesTheChannelClosed) {
  EXPECT_EQ(FailureOf([&] { files_.OpenForInput(u"missing.bat"); }), error_number::kFileNotFound);
  EXPECT_NE(lastFailure_.find(u"missing.bat"), std::u16string::npos) << "the report names the file";
  EXPECT_FALSE(files_.IsOpen());
}

// A save killed between the two renames of its swap left the old content
// under a backup name and no file: the next read finds it in its place.
TEST_F(FileChannelTest, AReadPutsBackWhatAnInterruptedSaveLeftAside) {
  store_.Put("x.bat", "old\r\n");
  store_.Interrupt("x.bat");
  EXPECT_EQ(ReadJoinedText(files_, u"x.bat"), u"old\r\n");
}

TEST_F(FileChannelTest, WriteLineAddsCrLfAndKeepsTheTextsOwnBreaks) {
  files_.OpenForOutput(u"out.txt");
  files_.WriteLine(u"a\r\nb\nc\r");
  files_.WriteLine(u"");
  files_.WriteLine(u"服务");
  files_.CloseFile();
  EXPECT_EQ(store_.Bytes("out.txt"), "a\r\nb\nc\r\r\n\r\n"s + test_support::Gbk(u"服务") + "\r\n");
}

// Bytes that are no text come back as they were: only the line rules change
// them (a lone CR becomes CR LF, a save adds one CR LF).
TEST_F(FileChannelTest, LoadAndSaveGiveBackTheSameBytesApartFromTheLineRules) {
  const std::pair<std::string, std::string> rows[] = {
      {"ok \xb7\xfe\r\nbad \x81\x20 \xff nul \0 end\rlone cr\nlone lf"s,
       "ok \xb7\xfe\r\nbad \x81\x20 \xff nul \0 end\r\nlone cr\nlone lf\r\n\r\n"s},
      {"", "\r\n"},
  };
  for (const auto& [original, saved] : rows) {
    store_.Put("x.bat", original);
    WriteSavedText(files_, u"x.bat", ReadJoinedText(files_, u"x.bat"));
    EXPECT_EQ(store_.Bytes("x.bat"), saved);
  }
}

TEST_F(FileChannelTest, TheOldFileStaysUntilTheNewOneIsComplete) {
  store_.Put("x.bat", "old\r\n");
  files_.OpenForOutput(u"x.bat");
  files_.WriteLine(u"new");
  EXPECT_EQ(store_.Bytes("x.bat"), "old\r\n");
  files_.CloseFile();
  EXPECT_EQ(store_.Bytes("x.bat"), "new\r\n");
  EXPECT_EQ(store_.Names(), std::vector<std::string>{"x.bat"}) << "no replacement stays behind";
}

TEST_F(FileChannelTest, AnUnrepresentableCharacterFailsTheSaveAndLeavesTheFileUntouched) {
  store_.Put("x.bat", "old\r\n");
  files_.OpenForOutput(u"x.bat");
  files_.WriteLine(u"first");
  EXPECT_EQ(FailureOf([&] { files_.WriteLine(u"second\r\nthird \u0E01"); }), error_number::kNoUnicodeTranslation);
  EXPECT_EQ(lastFailure_, KnownErrorText(error_number::kNoUnicodeTranslation) +
                              u"\r\n第 3 行的字符“\u0E01”（U+0E01）无法用当前代码页保存，文件未作改动：x.bat");
  EXPECT_FALSE(files_.IsOpen()) << "nothing of the unfinished file can be committed";
  files_.CloseFile();
  EXPECT_EQ(store_.Bytes("x.bat"), "old\r\n");
  EXPECT_EQ(store_.Names(), std::vector<std::string>{"x.bat"});
}

// The report counts lines by CR LF alone, and quotes a character only where
// it shows as itself: an invisible one would look like nothing, a
// bidirectional override would reverse the rest.
TEST_F(FileChannelTest, TheReportNamesTheLineAndQuotesOnlyCharactersThatShow) {
  const std::pair<std::u16string, std::u16string_view> rows[] = {
      {u"ok\r\nsmile \U0001F600", u"第 2 行的字符“\U0001F600”（U+1F600）"},
      {u"一\r\n二\n三\r\n\U00020000 ext B", u"第 3 行的字符“\U00020000”（U+20000）"},
      {u"a\u00A0b", u"第 1 行的不可见字符（U+00A0）"},
      {u"a\u202Eb", u"第 1 行的不可见字符（U+202E）"},
      {std::u16string{u'a', char16_t{0xD800}}, u"第 1 行的不可见字符（U+D800）"},
  };
  for (const auto& row : rows) {
    files_.OpenForOutput(u"x.bat");
    EXPECT_EQ(FailureOf([&] { files_.WriteLine(row.first); }), error_number::kNoUnicodeTranslation);
    EXPECT_NE(lastFailure_.find(std::u16string(row.second) + u"无法用"), std::u16string::npos) << &row - rows;
  }
}

}  // namespace
}  // namespace quellbrook
