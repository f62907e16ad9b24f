// The file channel over the real file store and code page, the way the
// windows use it: GBK files line by line.

#include <gtest/gtest.h>

#include <windows.h>

#include "core/failure.h"
#include "core/file_channel.h"
#include "win32/system/ansi_code_page.h"
#include "win32/system/file_store.h"
#include "test_files.h"
#include "u16.h"

namespace quellbrook::win32 {
namespace {

using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::U16;
using test_support::WriteBytes;

class FileChannelTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(::GetACP(), 936u) << "run with LC_ALL=zh_CN.UTF-8"; }

  TempFolder folder_{"qb-win32-"};
  Win32FileStore store_;
  AnsiCodePage codePage_;
  FileChannel files_{store_, codePage_};
};

TEST_F(FileChannelTest, WritesLinesInTheAnsiCodePage) {
  std::wstring path = folder_ / L"xp.bat";
  files_.OpenForOutput(U16(path));
  files_.WriteLine(u"@echo off");
  files_.WriteLine(u"rem 中文");
  files_.CloseFile();

  EXPECT_EQ(ReadBytes(path), "@echo off\r\nrem \xD6\xD0\xCE\xC4\r\n");
  EXPECT_EQ(folder_.Names().size(), 1u);
}

TEST_F(FileChannelTest, ReadsBackWhatAFileHolds) {
  std::wstring path = folder_ / L"hosts";
  ASSERT_TRUE(WriteBytes(path, "127.0.0.1 localhost\r\n# \xD6\xD0\xCE\xC4\rlast\nline"));
  files_.OpenForInput(U16(path));
  EXPECT_EQ(files_.ReadLine(), u"127.0.0.1 localhost");
  EXPECT_EQ(files_.ReadLine(), u"# 中文");
  EXPECT_EQ(files_.ReadLine(), u"last\nline");
  EXPECT_TRUE(files_.AtEnd());
  files_.CloseFile();
}

TEST_F(FileChannelTest, CopyingAFileLineByLineKeepsItsBytes) {
  const std::string bytes = std::string("a\0b\r\n", 5) + "\xFF\xD6\xD0\r\n" + "\x81";
  std::wstring source = folder_ / L"source";
  std::wstring copy = folder_ / L"copy";
  ASSERT_TRUE(WriteBytes(source, bytes));

  files_.OpenForInput(U16(source));
  std::vector<std::u16string> lines;
  while (!files_.AtEnd()) lines.push_back(files_.ReadLine());
  files_.CloseFile();
  files_.OpenForOutput(U16(copy));
  for (const auto& line : lines) files_.WriteLine(line);
  files_.CloseFile();

  EXPECT_EQ(ReadBytes(copy), bytes + "\r\n");
}

TEST_F(FileChannelTest, AnUnwritableCharacterKeepsTheOldFile) {
  std::wstring path = folder_ / L"list.txt";
  ASSERT_TRUE(WriteBytes(path, "old\r\n"));
  files_.OpenForOutput(U16(path));
  files_.WriteLine(u"fine");
  EXPECT_THROW(files_.WriteLine(u"\u0E01"), PlatformError);
  files_.Abandon();

  EXPECT_EQ(ReadBytes(path), "old\r\n");
  EXPECT_EQ(folder_.Names().size(), 1u);
}

TEST_F(FileChannelTest, AReadOnlyFileCannotBeOpenedForOutput) {
  std::wstring path = folder_ / L"readonly.txt";
  ASSERT_TRUE(WriteBytes(path, "old\r\n"));
  ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
  try {
    files_.OpenForOutput(U16(path));
    ADD_FAILURE() << "a read-only file was opened for output";
  } catch (const PlatformError& failure) {
    EXPECT_EQ(failure.Number(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
  }
  EXPECT_FALSE(files_.IsOpen());
  EXPECT_EQ(ReadBytes(path), "old\r\n");
}

}  // namespace
}  // namespace quellbrook::win32
