// Saves that another program briefly holds: refusals that waiting mends are
// tried again after growing pauses, others are reported at once, and the old
// file stays whole either way.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <numeric>

#include "core/file_store.h"
#include "fakes/memory_file_store.h"
#include "support/platform_failure.h"

namespace quellbrook {
namespace {

using namespace std::chrono_literals;

class SaveWaitingTest : public ::testing::Test {
 protected:
  // Saves "new" as the whole file: the failure, or nothing.
  std::optional<PlatformError> Save(std::u16string_view path) {
    return test_support::FailureOf([&] { SaveWaitingForHolders(files_, path, "new"); });
  }

  MemoryFileStore files_;
};

TEST_F(SaveWaitingTest, ARefusedStepIsTriedAgainAfterGrowingPausesForUnderASecond) {
  struct Row {
    SaveStep step;
    std::optional<int> refusals;  // nothing: the file is never let go
  };
  const Row rows[] = {{SaveStep::kOpen, 3}, {SaveStep::kReplace, 2}, {SaveStep::kOpen, {}}, {SaveStep::kReplace, {}}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(static_cast<int>(row.step)) + ", " + std::to_string(row.refusals.value_or(-1)));
    files_.Put("x.bat", "old");
    files_.pauses.clear();
    files_.failAt = row.step;
    files_.failuresLeft = row.refusals;
    const std::optional<PlatformError> failure = Save(u"x.bat");
    const auto& pauses = files_.pauses;
    EXPECT_EQ(std::adjacent_find(pauses.begin(), pauses.end(), std::greater_equal<>()), pauses.end()) << "growing";
    EXPECT_LE(std::accumulate(pauses.begin(), pauses.end(), 0ms), 1000ms);
    EXPECT_EQ(files_.Names(), std::vector<std::string>{"x.bat"}) << "no replacement is left";
    if (row.refusals) {
      EXPECT_FALSE(failure.has_value());
      EXPECT_EQ(pauses.size(), static_cast<std::size_t>(*row.refusals));
      EXPECT_EQ(files_.Bytes("x.bat"), "new");
    } else {
      ASSERT_TRUE(failure.has_value());
      EXPECT_EQ(failure->Number(), MemoryFileStore::FailureOf(row.step).Number()) << "the last refusal";
      EXPECT_FALSE(pauses.empty());
      EXPECT_EQ(files_.Bytes("x.bat"), "old");
    }
  }
}

// A flush that failed, and the read-only target: the one test of the
// read-only policy, which every store's UnwritableTarget takes.
TEST_F(SaveWaitingTest, ARefusalThatWaitingCannotMendIsReportedAtOnce) {
  struct Row {
    std::function<void()> prepare;
    std::uint32_t number;
    std::u16string detail;
  };
  const Row rows[] = {
      {[this] { files_.failAt = SaveStep::kFlush; }, MemoryFileStore::FailureOf(SaveStep::kFlush).Number(), u""},
      {[this] { files_.SetReadOnly("x.bat"); }, error_number::kAccessDenied, u"文件“x.bat”设有只读属性"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(&row - rows);
    files_.Put("x.bat", "old");
    row.prepare();
    const std::optional<PlatformError> failure = Save(u"x.bat");
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->Number(), row.number);
    EXPECT_NE(failure->Description().find(row.detail), std::u16string::npos);
    EXPECT_TRUE(files_.pauses.empty());
    EXPECT_EQ(files_.Bytes("x.bat"), "old") << "the old file is whole";
    EXPECT_EQ(files_.Names(), std::vector<std::string>{"x.bat"});
  }
}

}  // namespace
}  // namespace quellbrook
