// Saves that another program briefly holds: refusals that waiting mends are
// tried again after growing pauses, others are reported at once, and the old
// file stays whole either way.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <numeric>

#include "core/retrying_file_store.h"
#include "fakes/faulty_file_store.h"
#include "fakes/posix_file_store.h"
#include "fakes/recording_services.h"
#include "support/test_files.h"

namespace quellbrook {
namespace {

using namespace std::chrono_literals;
using test_support::ReadBytes;
using test_support::WriteBytes;

class RetryingFileStoreTest : public ::testing::Test {
 protected:
  // Saves "new" as the whole file: the failure, or nothing.
  std::optional<PlatformError> Save(std::u16string_view path) try {
    auto replacement = store_.BeginReplace(path);
    replacement->Append("new");
    replacement->Commit();
    return std::nullopt;
  } catch (const PlatformError& failure) {
    return failure;
  }

  test_support::TempFolder folder_;
  test_support::CurrentFolderScope inFolder_{folder_.Path()};
  FaultyFileStore* faulty_ = new FaultyFileStore(std::make_unique<PosixFileStore>());
  RecordingPause* pause_ = new RecordingPause;
  RetryingFileStore store_{std::unique_ptr<FileStore>(faulty_), std::unique_ptr<Pause>(pause_)};
};

TEST_F(RetryingFileStoreTest, ARefusedStepIsTriedAgainAfterGrowingPausesForUnderASecond) {
  struct Row {
    SaveStep step;
    std::optional<int> refusals;  // nothing: the file is never let go
  };
  const Row rows[] = {{SaveStep::kOpen, 3}, {SaveStep::kReplace, 2}, {SaveStep::kOpen, {}}, {SaveStep::kReplace, {}}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(static_cast<int>(row.step)) + ", " + std::to_string(row.refusals.value_or(-1)));
    WriteBytes("x.bat", "old");
    pause_->pauses.clear();
    faulty_->failAt = row.step;
    faulty_->failuresLeft = row.refusals;
    const std::optional<PlatformError> failure = Save(u"x.bat");
    const auto& pauses = pause_->pauses;
    EXPECT_EQ(std::adjacent_find(pauses.begin(), pauses.end(), std::greater_equal<>()), pauses.end()) << "growing";
    EXPECT_LE(std::accumulate(pauses.begin(), pauses.end(), 0ms), 1000ms);
    EXPECT_EQ(folder_.Names(), std::vector<test_support::path>{"x.bat"}) << "no temporary file is left";
    if (row.refusals) {
      EXPECT_FALSE(failure.has_value());
      EXPECT_EQ(pauses.size(), static_cast<std::size_t>(*row.refusals));
      EXPECT_EQ(ReadBytes("x.bat"), "new");
    } else {
      ASSERT_TRUE(failure.has_value());
      EXPECT_EQ(failure->Number(), FaultyFileStore::FailureOf(row.step).Number()) << "the last refusal";
      EXPECT_FALSE(pauses.empty());
      EXPECT_EQ(ReadBytes("x.bat"), "old");
    }
  }
}

TEST_F(RetryingFileStoreTest, ARefusalThatWaitingCannotMendIsReportedAtOnce) {
  struct Row {
    std::u16string path;
    std::function<void()> prepare;
    std::uint32_t number;
    std::u16string detail;
  };
  const Row rows[] = {
      {u"flush.bat", [this] { WriteBytes("flush.bat", "old"); faulty_->failAt = SaveStep::kFlush; },
       FaultyFileStore::FailureOf(SaveStep::kFlush).Number(), u""},
      {u"ro.bat", [] { WriteBytes("ro.bat", "old"); ::chmod("ro.bat", 0444); }, error_number::kAccessDenied,
       u"文件“ro.bat”设有只读属性"},
      {u"folder", [] { std::filesystem::create_directory("folder"); }, error_number::kAccessDenied, u""},
  };
  for (const Row& row : rows) {
    const std::string path(row.path.begin(), row.path.end());
    SCOPED_TRACE(path);
    row.prepare();
    const std::optional<PlatformError> failure = Save(row.path);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->Number(), row.number);
    EXPECT_NE(failure->Description().find(row.detail), std::u16string::npos);
    EXPECT_TRUE(pause_->pauses.empty());
    EXPECT_TRUE(std::filesystem::is_directory(path) || ReadBytes(path) == "old") << "the old file is whole";
  }
}

}  // namespace
}  // namespace quellbrook
