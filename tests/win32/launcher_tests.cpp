// The launcher starts the system's cmd.exe, never one in the current directory.

#include <gtest/gtest.h>

#include <windows.h>

#include "core/failure.h"
#include "win32/launcher.h"
#include "test_files.h"
#include "beside_program.h"
#include "u16.h"

namespace quellbrook::win32 {
namespace {

using test_support::CurrentFolderScope;
using test_support::Exists;
using test_support::BesideThisProgram;
using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::WaitForFile;

std::wstring SystemDirectory() {
  wchar_t directory[MAX_PATH + 1] = {};
  return std::wstring(directory, ::GetSystemDirectoryW(directory, MAX_PATH + 1));
}

std::uint32_t LaunchFailure(std::u16string_view commandLine) {
  Win32Launcher launcher;
  try {
    launcher.LaunchCommand(commandLine);
  } catch (const PlatformError& failure) {
    return failure.Number();
  }
  return 0;
}

TEST(LauncherTest, TheInterpreterIsCmdExeInTheSystemDirectory) {
  std::wstring path = SystemCommandInterpreterPath();
  EXPECT_EQ(path, SystemDirectory() + L"\\cmd.exe");
  EXPECT_TRUE(Exists(path));
}

TEST(LauncherTest, APlantedCmdExeInTheCurrentDirectoryIsIgnored) {
  TempFolder folder{"qb-win32-"};
  ASSERT_TRUE(::CopyFileW(BesideThisProgram(L"planted_cmd.exe").c_str(),
                          (folder / L"cmd.exe").c_str(), TRUE));
  CurrentFolderScope inFolder(folder.Path());

  Win32Launcher launcher;
  launcher.LaunchCommand(u"cmd /c echo x> marker.txt");

  ASSERT_TRUE(WaitForFile(folder / L"marker.txt", std::chrono::milliseconds(30000))) << "the system's cmd.exe did not run in the current directory";
  EXPECT_EQ(ReadBytes(folder / L"marker.txt").value_or("").substr(0, 1), "x");
  EXPECT_FALSE(Exists(folder / L"planted.txt"));
}

TEST(LauncherTest, OnlyCmdCommandLinesAreLaunched) {
  EXPECT_EQ(LaunchFailure(u"notepad.exe"), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(LaunchFailure(u"cmdx /c exit"), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(LaunchFailure(u""), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
}

}  // namespace
}  // namespace quellbrook::win32
