// The start-up trace that the start-up benchmark reads: nothing without its
// variable; with it, the stamps in order, in the benchmark's format.

#include <gtest/gtest.h>

#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "test_files.h"
#include "win32/system/startup_trace.h"

namespace quellbrook::win32 {
namespace {

using test_support::Exists;
using test_support::ReadBytes;
using test_support::TempFolder;

TEST(StartupTraceTest, WritesTheStampsInOrderOnlyWhenAsked) {
  TempFolder folder("qb-trace-");
  const test_support::path file = folder / "start.trace";

  ::SetEnvironmentVariableW(L"QUELLBROOK_STARTUP_TRACE", nullptr);
  startup_trace::Begin();
  startup_trace::Mark("unasked");
  startup_trace::End();
  EXPECT_FALSE(Exists(file));

  ASSERT_TRUE(::SetEnvironmentVariableW(L"QUELLBROOK_STARTUP_TRACE", file.wstring().c_str()));
  startup_trace::Begin();
  startup_trace::Mark("window");
  startup_trace::Mark("first paint");
  startup_trace::End();
  ::SetEnvironmentVariableW(L"QUELLBROOK_STARTUP_TRACE", nullptr);

  std::istringstream text(ReadBytes(file).value_or(""));
  std::string word;
  long long frequency = 0;
  ASSERT_TRUE(text >> word >> frequency);
  EXPECT_EQ(word, "frequency");
  EXPECT_GT(frequency, 0);
  std::vector<std::string> steps;
  long long previous = 0;
  long long ticks = 0;
  std::string step;
  while (text >> ticks && std::getline(text >> std::ws, step)) {
    EXPECT_GE(ticks, previous) << step;
    previous = ticks;
    steps.push_back(step);
  }
  EXPECT_EQ(steps, (std::vector<std::string>{"process start to wWinMain", "window", "first paint"}));
}

}  // namespace
}  // namespace quellbrook::win32
