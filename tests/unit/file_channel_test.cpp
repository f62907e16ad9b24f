#include <sys/stat.h>

#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/file_channel.h"
#include "core/file_channel_scope.h"
#include "core/joined_text.h"
#include "fakes/iconv_code_page.h"
#include "fakes/posix_file_store.h"
#include "support/gbk.h"
#include "support/test_files.h"

namespace quellbrook {
namespace {

using namespace std::string_literals;
using test_support::ReadBytes;
using test_support::WriteBytes;

class FileChannelTest : public ::testing::Test {
 protected:
  std::vector<std::u16string> ReadLines(const std::string& bytes) {
    WriteBytes("lines.txt", bytes);
    std::vector<std::u16string> lines;
    files_.OpenForInput(u"lines.txt");
    while (!files_.AtEnd()) lines.push_back(files_.ReadLine());
    files_.CloseFile();
    return lines;
  }

  // The error number a call fails with, or 0.
  template <typename Call>
  std::uint32_t FailureOf(Call call) {
    try {
      call();
    } catch (const PlatformError& failure) {
      lastFailure_ = failure.Description();
      return failure.Number();
    }
    return 0;
  }

  test_support::TempFolder folder_;
  test_support::CurrentFolderScope inFolder_{folder_.Path()};
  PosixFileStore store_;
  IconvCodePage codePage_{"CP936", 2};
  FileChannel files_{store_, codePage_};
  std::u16string lastFailure_;
};

using Lines = std::vector<std::u16string>;

TEST_F(FileChannelTest, LinesEndAtCrLfOrALoneCrButNotAtALoneLf) {
  EXPECT_EQ(ReadLines("a\r\nb\r\n"), (Lines{u"a", u"b"}));
  EXPECT_EQ(ReadLines("a\rb\r"), (Lines{u"a", u"b"}));
  EXPECT_EQ(ReadLines("a\nb\nc"), (Lines{u"a\nb\nc"}));
  EXPECT_EQ(ReadLines("a\r\r\nb"), (Lines{u"a", u"", u"b"}));
  EXPECT_EQ(ReadLines("\n\r\n"), (Lines{u"\n"}));
}

TEST_F(FileChannelTest, ALastLineWithoutTerminatorCountsAndAFinalTerminatorAddsNoLine) {
  EXPECT_EQ(ReadLines("one\r\ntwo"), (Lines{u"one", u"two"}));
  EXPECT_EQ(ReadLines("one\r\n"), (Lines{u"one"}));
  EXPECT_EQ(ReadLines("\r\n"), (Lines{u""}));
  EXPECT_EQ(ReadLines(""), Lines{});
}

// The one-pass join gives what a ReadLine loop joins, from the start or after
// a first line has been read.
TEST_F(FileChannelTest, ReadJoinedRestJoinsTheLinesLeftAsReadLineWould) {
  for (const std::string bytes : {"a\r\nb\r\n", "a\rb\r", "lone\rcr\r\n", "a\nb\nc", "a\r\r\nb", "\n\r\n", "one\r\ntwo", "\r\n", ""}) {
    for (bool firstLineRead : {false, true}) {
      std::u16string expected;
      for (const std::u16string& line : ReadLines(bytes)) expected += line + u"\r\n";
      files_.OpenForInput(u"lines.txt");
      if (firstLineRead && !files_.AtEnd()) files_.ReadLine();
      if (firstLineRead && !expected.empty()) expected.erase(0, expected.find(u"\r\n") + 2);
      EXPECT_EQ(files_.ReadJoinedRest(), expected) << bytes << ", first line read: " << firstLineRead;
      EXPECT_TRUE(files_.AtEnd());
      files_.CloseFile();
    }
  }
}

TEST_F(FileChannelTest, ReadsInCodePage936) {
  EXPECT_EQ(ReadLines(test_support::Gbk(u"关闭服务\r\n")), (Lines{u"关闭服务"}));
}

TEST_F(FileChannelTest, ReadingPastTheEndFails) {
  WriteBytes("one.txt", "x");
  files_.OpenForInput(u"one.txt");
  files_.ReadLine();
  EXPECT_EQ(FailureOf([&] { files_.ReadLine(); }), error_number::kHandleEof);
}

TEST_F(FileChannelTest, OpeningAMissingFileFailsAndLeavesTheChannelClosed) {
  EXPECT_EQ(FailureOf([&] { files_.OpenForInput(u"missing.bat"); }), error_number::kFileNotFound);
  EXPECT_NE(lastFailure_.find(u"missing.bat"), std::u16string::npos) << "the report names the file";
  EXPECT_FALSE(files_.IsOpen());
}

TEST_F(FileChannelTest, HoldsOneFileAtATime) {
  WriteBytes("a.txt", "a");
  files_.OpenForInput(u"a.txt");
  EXPECT_EQ(FailureOf([&] { files_.OpenForOutput(u"b.txt"); }), error_number::kTooManyOpenFiles);
  files_.CloseFile();
  files_.OpenForOutput(u"b.txt");
  files_.CloseFile();
  files_.CloseFile();  // closing a closed channel does nothing
}

// Each use of the channel owns it in a scope; a failure in the middle of a
// write leaves it closed for the next use and the old file whole.
TEST_F(FileChannelTest, AScopeEndedByAFailureClosesTheChannelAndKeepsTheOldFile) {
  WriteBytes("x.bat", "old\r\n");
  const auto halfAWrite = [this] {
    const FileChannelScope scope(files_);
    files_.OpenForOutput(u"x.bat");
    files_.WriteLine(u"half");
    throw SystemError(error_number::kAccessDenied);
  };
  EXPECT_THROW(halfAWrite(), PlatformError);
  EXPECT_FALSE(files_.IsOpen());
  EXPECT_EQ(ReadBytes("x.bat"), "old\r\n");
  EXPECT_EQ(folder_.Names(), std::vector<test_support::path>{"x.bat"});

  WriteSavedText(files_, u"x.bat", u"next");
  EXPECT_EQ(ReadBytes("x.bat"), "next\r\n");
}

TEST_F(FileChannelTest, WriteLineAddsCrLfAndKeepsTheTextsOwnBreaks) {
  files_.OpenForOutput(u"out.txt");
  files_.WriteLine(u"a\r\nb\nc\r");
  files_.WriteLine(u"");
  files_.WriteLine(u"服务");
  files_.CloseFile();
  EXPECT_EQ(ReadBytes("out.txt"), "a\r\nb\nc\r\r\n\r\n"s + test_support::Gbk(u"服务") + "\r\n");
}

TEST_F(FileChannelTest, LoadAndSaveGiveBackTheSameBytesApartFromTheLineRules) {
  const std::string original = "ok \xb7\xfe\r\nbad \x81\x20 \xff nul \0 end\rlone cr\nlone lf"s;
  WriteBytes("x.bat", original);
  const std::u16string joined = ReadJoinedText(files_, u"x.bat");
  WriteSavedText(files_, u"x.bat", joined);
  EXPECT_EQ(ReadBytes("x.bat"), "ok \xb7\xfe\r\nbad \x81\x20 \xff nul \0 end\r\nlone cr\nlone lf\r\n\r\n"s);
}

TEST_F(FileChannelTest, TheOldFileStaysUntilTheNewOneIsComplete) {
  WriteBytes("x.bat", "old\r\n");
  files_.OpenForOutput(u"x.bat");
  files_.WriteLine(u"new");
  EXPECT_EQ(ReadBytes("x.bat"), "old\r\n");
  files_.CloseFile();
  EXPECT_EQ(ReadBytes("x.bat"), "new\r\n");
  EXPECT_EQ(folder_.Names(), std::vector<test_support::path>{"x.bat"}) << "no temporary file stays behind";
}

TEST_F(FileChannelTest, AnUnrepresentableCharacterFailsTheSaveAndLeavesTheFileUntouched) {
  WriteBytes("x.bat", "old\r\n");
  files_.OpenForOutput(u"x.bat");
  files_.WriteLine(u"first");
  EXPECT_EQ(FailureOf([&] { files_.WriteLine(u"second\r\nthird \u0E01"); }), error_number::kNoUnicodeTranslation);
  EXPECT_EQ(lastFailure_, KnownErrorText(error_number::kNoUnicodeTranslation) +
                              u"\r\n第 3 行的字符“\u0E01”（U+0E01）无法用当前代码页保存，文件未作改动：x.bat");
  EXPECT_FALSE(files_.IsOpen()) << "nothing of the unfinished file can be committed";
  files_.CloseFile();
  EXPECT_EQ(ReadBytes("x.bat"), "old\r\n");
  EXPECT_EQ(folder_.Names(), std::vector<test_support::path>{"x.bat"});
  EXPECT_FALSE(files_.IsOpen());
}

// The report quotes a character only where it shows as itself: an invisible
// one would look like nothing, a bidirectional override would reverse the rest.
TEST_F(FileChannelTest, TheReportQuotesOnlyCharactersThatShow) {
  struct Row {
    std::u16string text;
    std::u16string_view named;
  };
  const Row rows[] = {
      {u"a\U0001F600", u"字符“\U0001F600”（U+1F600）"},
      {u"a\u00A0b", u"不可见字符（U+00A0）"},
      {u"a\u202Eb", u"不可见字符（U+202E）"},
      {std::u16string{u'a', char16_t{0xD800}}, u"不可见字符（U+D800）"},
  };
  for (const Row& row : rows) {
    files_.OpenForOutput(u"x.bat");
    EXPECT_EQ(FailureOf([&] { files_.WriteLine(row.text); }), error_number::kNoUnicodeTranslation);
    EXPECT_NE(lastFailure_.find(u"第 1 行的" + std::u16string(row.named) + u"无法用"), std::u16string::npos)
        << "row " << &row - rows;
    files_.Abandon();
  }
}

TEST_F(FileChannelTest, AReadOnlyFileIsNeverReplaced) {
  WriteBytes("ro.bat", "keep\r\n");
  ::chmod("ro.bat", 0444);
  EXPECT_EQ(FailureOf([&] { files_.OpenForOutput(u"ro.bat"); }), error_number::kAccessDenied);
  EXPECT_FALSE(files_.IsOpen());
  EXPECT_EQ(ReadBytes("ro.bat"), "keep\r\n");
  EXPECT_EQ(folder_.Names(), std::vector<test_support::path>{"ro.bat"});
}

TEST_F(FileChannelTest, SavingCreatesAMissingFileButNotAMissingFolder) {
  WriteSavedText(files_, u"new.bat", u"x");
  EXPECT_EQ(ReadBytes("new.bat"), "x\r\n");
  EXPECT_EQ(FailureOf([&] { files_.OpenForOutput(u"no-such-folder\\x.bat"); }), error_number::kPathNotFound);
}

TEST_F(FileChannelTest, AReplacedFileKeepsItsPermissions) {
  WriteBytes("x.bat", "old");
  ::chmod("x.bat", 0640);
  WriteSavedText(files_, u"x.bat", u"new");
  struct stat info {};
  ASSERT_EQ(::stat("x.bat", &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(FileChannelTest, AFailedCommitLeavesNoTemporaryFile) {
  WriteBytes("x.bat", "old");
  files_.OpenForOutput(u"x.bat");
  files_.WriteLine(u"new");
  // Something else puts a non-empty folder where the file was.
  std::filesystem::remove("x.bat");
  std::filesystem::create_directories("x.bat/inside");
  EXPECT_NE(FailureOf([&] { files_.CloseFile(); }), 0u);
  EXPECT_EQ(folder_.Names(), std::vector<test_support::path>{"x.bat"});
  EXPECT_FALSE(files_.IsOpen());
}

}  // namespace
}  // namespace quellbrook
