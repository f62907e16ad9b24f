// The launcher starts the system's native cmd.exe, never one in the current
// directory.

#include <gtest/gtest.h>

#include <windows.h>

#include "win32/system/launcher.h"
#include "beside_program.h"
#include "platform_failure.h"
#include "test_files.h"
#include "u16.h"

namespace quellbrook::win32 {
namespace {

using test_support::BesideThisProgram;
using test_support::CurrentFolderScope;
using test_support::Exists;
using test_support::FailureNumber;
using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::Utf8;
using test_support::WaitForFile;

// What cmd.exe of the machine's own architecture reports, whatever this test
// program's bitness.
std::string NativeArchitecture() {
  SYSTEM_INFO system{};
  ::GetNativeSystemInfo(&system);
  switch (system.wProcessorArchitecture) {
    case PROCESSOR_ARCHITECTURE_AMD64: return "AMD64";
    case PROCESSOR_ARCHITECTURE_ARM64: return "ARM64";
    case PROCESSOR_ARCHITECTURE_INTEL: return "x86";
    default: return "unknown";
  }
}

// The x86 build on 64-bit Windows too starts the 64-bit cmd.exe, not syswow64's,
// and never the cmd.exe of the current directory.
TEST(LauncherTest, TheInterpreterIsTheSystemsCmdOfTheMachinesArchitecture) {
  TempFolder folder{"qb-win32-"};
  ASSERT_TRUE(::CopyFileW(BesideThisProgram(L"planted_cmd.exe").c_str(), (folder / L"cmd.exe").c_str(), TRUE));
  CurrentFolderScope inFolder(folder.Path());
  ASSERT_TRUE(Exists(SystemCommandInterpreterPath()));

  Win32Launcher launcher;
  launcher.LaunchCommand(u"cmd /c echo %PROCESSOR_ARCHITECTURE%> arch.txt");

  ASSERT_TRUE(WaitForFile(folder / L"arch.txt", std::chrono::milliseconds(30000)))
      << "the system's cmd.exe did not run in the current directory";
  EXPECT_EQ(ReadBytes(folder / L"arch.txt").value_or(""), NativeArchitecture() + "\r\n");
  EXPECT_FALSE(Exists(folder / L"planted.txt"));
}

TEST(LauncherTest, OnlyCmdCommandLinesAreLaunched) {
  for (std::u16string_view commandLine : {u"notepad.exe", u"cmdx /c exit", u""}) {
    EXPECT_EQ(FailureNumber([&] { Win32Launcher().LaunchCommand(commandLine); }),
              static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER))
        << Utf8(commandLine);
  }
}

}  // namespace
}  // namespace quellbrook::win32
