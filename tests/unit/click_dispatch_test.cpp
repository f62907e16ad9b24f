#include <gtest/gtest.h>

#include <functional>

#include "platform/failure.h"
#include "platform/form_logic.h"
#include "test_support.h"

namespace quellbrook {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

class LambdaLogic final : public FormLogic {
 public:
  explicit LambdaLogic(std::function<void()> handler) : handler_(std::move(handler)) {}
  void Click(ControlId) override { handler_(); }

 private:
  std::function<void()> handler_;
};

class ClickDispatchTest : public ::testing::Test {
 protected:
  void Run(std::function<void()> handler) {
    LambdaLogic logic(std::move(handler));
    RunClickHandler(logic, Command(1), platform_.services);
  }

  testing::TemporaryWorkingFolder folder_;
  testing::SubstituteServices platform_;
};

TEST_F(ClickDispatchTest, AnUntrappedFailureEndsTheHandlerAndIsReported) {
  bool reachedTheEnd = false;
  Run([&] {
    platform_.files.OpenForInput(u"missing.bat");
    reachedTheEnd = true;
  });
  EXPECT_FALSE(reachedTheEnd);
  ASSERT_EQ(platform_.boxes.failures.size(), 1u);
  EXPECT_EQ(platform_.boxes.failures[0].Number(), error_number::kFileNotFound);
}

TEST_F(ClickDispatchTest, AFailureInTheMiddleOfAWriteClosesTheChannelAndKeepsTheOldFile) {
  WriteBytes("x.bat", "old\r\n");
  Run([&] {
    platform_.files.OpenForOutput(u"x.bat");
    platform_.files.WriteLine(u"half");
    throw SystemError(error_number::kAccessDenied);
  });
  EXPECT_FALSE(platform_.files.IsOpen());
  EXPECT_EQ(ReadBytes("x.bat"), "old\r\n");
  EXPECT_EQ(folder_.FileNames(), std::vector<std::string>{"x.bat"});

  Run([&] {
    platform_.files.OpenForOutput(u"x.bat");
    platform_.files.WriteLine(u"next");
    platform_.files.CloseFile();
  });
  EXPECT_EQ(ReadBytes("x.bat"), "next\r\n");
}

TEST_F(ClickDispatchTest, RunningOutOfMemoryIsReportedLikeAnyOtherFailure) {
  Run([] { throw std::bad_alloc(); });
  ASSERT_EQ(platform_.boxes.failures.size(), 1u);
  EXPECT_EQ(platform_.boxes.failures[0].Number(), error_number::kNotEnoughMemory);
}

TEST(FailureReportText, ShowsTheNumberAndTheDescription) {
  EXPECT_EQ(FailureReportText(PlatformError(2, u"系统找不到指定的文件。")),
            u"运行时错误 '2'：\r\n\r\n系统找不到指定的文件。");
  EXPECT_EQ(FailureReportText(PlatformError(0x80070005u, u"拒绝访问。")),
            u"运行时错误 '0x80070005'：\r\n\r\n拒绝访问。");
  EXPECT_EQ(FailureReportText(PlatformError(0x800A0035u, u"")), u"运行时错误 '0x800A0035'：");
}

TEST(SystemError, AddsTheDetailBelowTheSystemText) {
  const PlatformError failure = SystemError(error_number::kFileNotFound, u"xp.bat");
  EXPECT_EQ(failure.Number(), 2u);
  EXPECT_EQ(failure.Description(), SystemErrorText(2) + u"\r\nxp.bat");
}

}  // namespace
}  // namespace quellbrook
