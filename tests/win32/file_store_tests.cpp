// The Win32 file store on a real disk: a save either lands whole or leaves
// the old file as it was, and never leaves a temporary file behind.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>

#include "core/failure.h"
#include "win32/system/file_store.h"
#include "win32/system/unique_handle.h"
#include "beside_program.h"
#include "platform_failure.h"
#include "test_files.h"
#include "u16.h"
#include "wait.h"

namespace quellbrook::win32 {
namespace {

using test_support::CurrentFolderScope;
using test_support::Exists;
using test_support::FailureNumber;
using test_support::FailureOf;
using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::U16;
using test_support::WriteBytes;

using Entries = std::vector<test_support::path>;

class FileStoreTest : public ::testing::Test {
 protected:
  TempFolder folder_{"qb-win32-"};
  Win32FileStore store_;
};

// The new content, with a NUL byte and a line break.
const std::string kNew("new \0bytes\r\n", 12);

// A save over the target, or over no file, that succeeds or finds the target
// held by another program: either way the target is whole, hidden and system
// attributes kept, and no temporary file is left beside it.
struct SaveRow {
  const char* name;
  std::optional<std::string> old;
  bool held;
  std::optional<std::string> after;
  DWORD attributes = 0;
};

void PrintTo(const SaveRow& row, std::ostream* out) { *out << row.name; }

class SaveTest : public FileStoreTest, public ::testing::WithParamInterface<SaveRow> {};

TEST_P(SaveTest, EndsWithTheTargetWholeAndNoTemporaryFileLeft) {
  const SaveRow& row = GetParam();
  const std::wstring target = folder_ / L"hosts";
  if (row.old) {
    ASSERT_TRUE(WriteBytes(target, *row.old));
  }
  if (row.attributes != 0) {
    ASSERT_TRUE(::SetFileAttributesW(target.c_str(), row.attributes));
  }
  if (row.held) {
    // Another program holds the file without sharing it.
    UniqueFile lock(::CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    EXPECT_NE(FailureNumber([&] { store_.Save(U16(target), kNew); }), 0u);
  } else {
    store_.Save(U16(target), kNew);
  }

  EXPECT_EQ(ReadBytes(target), row.after);
  EXPECT_EQ(folder_.Names(), row.after ? Entries{L"hosts"} : Entries{});
  if (row.after) {
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    EXPECT_EQ(::GetFileAttributesW(target.c_str()) & kKept, row.attributes & kKept);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Endings, SaveTest,
    ::testing::Values(SaveRow{"a longer file", "old content, longer than the new one\r\n", false, kNew},
                      SaveRow{"no file", std::nullopt, false, kNew},
                      SaveRow{"a hidden system file", "old", false, kNew,
                              FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE},
                      SaveRow{"a file another program holds", "old", true, "old"}));

// What a save cut short by the end of its process left beside the target goes
// with the next save of that target; nothing else does: not another file's,
// not a running process's, and no backup while it may be the only old copy.
TEST_F(FileStoreTest, ASaveRemovesWhatKilledSavesOfTheSameFileLeftBehind) {
  const std::wstring gone = L"4294967292";  // no process has this id
  const std::wstring running = std::to_wstring(::GetCurrentProcessId());
  for (bool targetExists : {true, false}) {
    TempFolder folder{"qb-stale-"};
    Entries planted = {L"~x.bat." + gone + L".0.tmp", L"~x.bat." + gone + L".1.old", L"~x.bat." + running + L".7.tmp",
                       L"~x.bat.a.0.tmp", L"~y.bat." + gone + L".0.tmp"};
    for (const auto& name : planted) {
      ASSERT_TRUE(WriteBytes(folder / name, "stale"));
    }
    const std::wstring target = folder / L"x.bat";
    if (targetExists) {
      ASSERT_TRUE(WriteBytes(target, "old"));
    }

    // As the file channel saves: an interrupted save is put right first.
    store_.RecoverInterruptedSave(U16(target));
    store_.Save(U16(target), "new");

    // Without a target the gone process's backup is the old content: it is
    // put back first, then replaced like any old content.
    Entries kept = {L"x.bat", planted[2], planted[3], planted[4]};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(folder.Names(), kept) << "target existed: " << targetExists;
    EXPECT_EQ(ReadBytes(target), "new");
  }
}

TEST_F(FileStoreTest, RecoveryPutsBackTheOldFileThatASaveKilledInsideTheSwapLeftUnderTheBackupName) {
  ASSERT_TRUE(WriteBytes(folder_ / L"~x.bat.4294967292.3.old", "old"));  // no process has this id
  EXPECT_TRUE(store_.RecoverInterruptedSave(U16(folder_ / L"x.bat")));
  EXPECT_FALSE(store_.RecoverInterruptedSave(U16(folder_ / L"x.bat"))) << "nothing more to put back";
  EXPECT_EQ(store_.ReadAll(U16(folder_ / L"x.bat")), "old");
  EXPECT_EQ(folder_.Names(), Entries{L"x.bat"});
}

TEST_F(FileStoreTest, AReadOnlyTargetIsRefusedAndKept) {
  std::wstring target = folder_ / L"readonly.txt";
  ASSERT_TRUE(WriteBytes(target, "keep me"));
  ASSERT_TRUE(::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));

  const auto failure = FailureOf([&] { store_.Save(U16(target), "x"); });
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->Number(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
  EXPECT_NE(failure->Description().find(ReadOnlyDetail(U16(target))), std::u16string::npos);
  EXPECT_THROW(store_.Save(U16(target), "x"), UnwritableTarget) << "no one waits for it";
  EXPECT_EQ(ReadBytes(target), "keep me");
  EXPECT_EQ(::GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_READONLY, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(folder_.Names(), Entries{L"readonly.txt"});
}

TEST_F(FileStoreTest, ADirectoryIsRefused) {
  std::wstring target = folder_ / L"sub";
  ASSERT_TRUE(::CreateDirectoryW(target.c_str(), nullptr));
  EXPECT_EQ(FailureNumber([&] { store_.Save(U16(target), "x"); }), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
  EXPECT_THROW(store_.Save(U16(target), "x"), UnwritableTarget);
  EXPECT_EQ(folder_.Names(), Entries{L"sub"});
}

TEST_F(FileStoreTest, AMissingFolderFailsWithThePathInTheDescription) {
  std::wstring target = folder_ / L"missing\\file.txt";
  const auto failure = FailureOf([&] { store_.Save(U16(target), "x"); });
  ASSERT_TRUE(failure) << "a file in a missing folder was accepted";
  EXPECT_EQ(failure->Number(), static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
  EXPECT_NE(failure->Description().find(U16(target)), std::u16string::npos);
  EXPECT_EQ(folder_.Names(), Entries{});
}

TEST_F(FileStoreTest, RelativePathsResolveAgainstTheCurrentDirectory) {
  CurrentFolderScope inFolder(folder_.Path());
  ASSERT_TRUE(WriteBytes(folder_ / L"relative.txt", "old"));

  store_.Save(u"relative.txt", "new");
  EXPECT_EQ(ReadBytes(folder_ / L"relative.txt"), "new");
  EXPECT_EQ(store_.ReadAll(u"relative.txt"), "new");

  store_.Save(u"created.txt", "");
  EXPECT_TRUE(Exists(folder_ / L"created.txt"));
}

TEST_F(FileStoreTest, ReadAllGivesEveryByteOfALargeOrEmptyFileThatAnotherProgramIsWriting) {
  const std::wstring path = folder_ / L"busy.bin";
  std::string large;
  for (int i = 0; i < 300000; ++i) large.push_back(static_cast<char>(i * 7 % 256));
  for (const std::string& content : {large, std::string()}) {
    ASSERT_TRUE(WriteBytes(path, content));
    UniqueFile writer(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer);
    EXPECT_EQ(store_.ReadAll(U16(path)), content) << content.size() << " bytes";
  }
}

TEST_F(FileStoreTest, ReadAllOfAMissingFileNamesIt) {
  std::wstring path = folder_ / L"absent.txt";
  const auto failure = FailureOf([&] { store_.ReadAll(U16(path)); });
  ASSERT_TRUE(failure) << "a missing file was read";
  EXPECT_EQ(failure->Number(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
  EXPECT_NE(failure->Description().find(U16(path)), std::u16string::npos);
}

// Another program holds the target without sharing it, as a scanner does for a
// moment: the program's store waits a short hold out, and reports a long one
// (the system's sharing violation, from the start of the save) after about a
// second with the old file whole.
struct Hold {
  DWORD milliseconds;
  DWORD error;  // 0: saved
};

void PrintTo(const Hold& hold, std::ostream* out) { *out << "held " << hold.milliseconds << " ms"; }

class HeldTargetTest : public FileStoreTest, public ::testing::WithParamInterface<Hold> {};

TEST_P(HeldTargetTest, ASaveWaitsBrieflyForAFileAnotherProgramHolds) {
  using namespace std::chrono_literals;
  const std::wstring target = folder_ / L"hosts";
  ASSERT_TRUE(WriteBytes(target, "old"));
  std::wstring commandLine = L"\"" + test_support::BesideThisProgram(L"file_holder.exe") + L"\" \"" + target + L"\" " +
                             std::to_wstring(GetParam().milliseconds);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(
      ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
  UniqueKernelHandle holder(started.hProcess), holderThread(started.hThread);
  ASSERT_TRUE(test_support::WaitUntil([&] {
    UniqueFile probe(::CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
    return !probe && ::GetLastError() == ERROR_SHARING_VIOLATION;
  }));

  const auto start = std::chrono::steady_clock::now();
  const std::uint32_t error = FailureNumber([&] { SaveWaitingForHolders(store_, U16(target), "new"); });
  const auto elapsed = std::chrono::steady_clock::now() - start;
  ::TerminateProcess(holder.Get(), 0);
  ::WaitForSingleObject(holder.Get(), 5000);

  EXPECT_EQ(error, GetParam().error);
  EXPECT_EQ(ReadBytes(target), GetParam().error == 0 ? "new" : "old");
  EXPECT_EQ(folder_.Names(), Entries{L"hosts"});
  if (GetParam().error != 0) {
    // Windows' Sleep may end up to a clock tick early.
    EXPECT_GE(elapsed, 700ms) << "it waited";
    EXPECT_LE(elapsed, 2s);
  }
}

INSTANTIATE_TEST_SUITE_P(ShortAndLong, HeldTargetTest,
                         ::testing::Values(Hold{300, 0}, Hold{5000, ERROR_SHARING_VIOLATION}));

}  // namespace
}  // namespace quellbrook::win32
