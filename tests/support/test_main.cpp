// The main of the Windows test programs: GoogleTest's, plus a last line of
// their own, "N passed, N failed", that run-tests.cmd adds up without having
// to read GoogleTest's report.

#include <gtest/gtest.h>

#include <cstdio>

namespace {

class ResultLinePrinter : public testing::EmptyTestEventListener {
  void OnTestProgramEnd(const testing::UnitTest& unitTest) override {
    std::printf("%d passed, %d failed\n", unitTest.successful_test_count(), unitTest.failed_test_count());
    std::fflush(stdout);
  }
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Appended after the default printer, so that the line comes last.
  testing::UnitTest::GetInstance()->listeners().Append(new ResultLinePrinter);
  return RUN_ALL_TESTS();
}
