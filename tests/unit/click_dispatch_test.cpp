#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <system_error>

#include "core/failure.h"
#include "forms/form_logic.h"
#include "fakes/fake_services.h"

namespace quellbrook {
namespace {

class LambdaLogic final : public FormLogic {
 public:
  explicit LambdaLogic(std::function<void()> handler) : handler_(std::move(handler)) {}
  void Click(ControlId) override { handler_(); }

 private:
  std::function<void()> handler_;
};

std::u16string AsciiOf(const std::string& text) { return std::u16string(text.begin(), text.end()); }

class ClickDispatchTest : public ::testing::Test {
 protected:
  void Run(std::function<void()> handler) {
    LambdaLogic logic(std::move(handler));
    RunClickHandler(logic, Command(1), platform_.services());
  }

  FakeServices platform_;
};

TEST_F(ClickDispatchTest, AnUntrappedFailureEndsTheHandlerAndIsReported) {
  bool reachedTheEnd = false;
  Run([&] {
    platform_.files().OpenForInput(u"missing.bat");
    reachedTheEnd = true;
  });
  EXPECT_FALSE(reachedTheEnd);
  ASSERT_EQ(platform_.boxes.failures.size(), 1u);
  EXPECT_EQ(platform_.boxes.failures[0].Number(), error_number::kFileNotFound);
}

// Whatever a handler throws is reported with a fitting number and a Chinese
// description, and the program goes on.
TEST_F(ClickDispatchTest, EveryExceptionIsReportedAndTheNextClickRuns) {
  struct Row {
    std::function<void()> raise;
    std::uint32_t number;
    std::u16string description;
  };
  const Row rows[] = {
      {[] { throw std::bad_alloc(); }, error_number::kNotEnoughMemory, u"存储空间不足，无法处理此命令。"},
      {[] { throw std::length_error("basic_string::_M_create"); }, error_number::kNotEnoughMemory,
       u"存储空间不足，无法处理此命令。"},
      {[] { throw std::system_error(std::make_error_code(std::errc::io_error), "flush"); },
       error_number::kInternalError, u"发生内部错误。\r\nflush: " + AsciiOf(std::make_error_code(std::errc::io_error).message())},
      {[] { throw std::runtime_error("\xb4\xed\xce\xf3"); }, error_number::kInternalError, u"发生内部错误。"},
  };
  for (const Row& row : rows) {
    platform_.boxes.failures.clear();
    Run(row.raise);
    ASSERT_EQ(platform_.boxes.failures.size(), 1u);
    EXPECT_EQ(platform_.boxes.failures[0].Number(), row.number);
    EXPECT_EQ(platform_.boxes.failures[0].Description(), row.description);
  }
  bool ran = false;
  Run([&] { ran = true; });
  EXPECT_TRUE(ran);
}

// Outside the click handlers (the last-resort report) anything at all may arrive.
TEST(CurrentFailure, AnExceptionOfNoStandardTypeIsAnInternalError) {
  try {
    throw 42;
  } catch (...) {
    const PlatformError failure = CurrentFailure();
    EXPECT_EQ(failure.Number(), error_number::kInternalError);
    EXPECT_EQ(failure.Description(), KnownErrorText(error_number::kInternalError));
  }
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
  EXPECT_EQ(failure.Description(), u"系统找不到指定的文件。\r\nxp.bat");
}

}  // namespace
}  // namespace quellbrook
