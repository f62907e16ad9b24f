// The launcher starts the system's cmd.exe, never one in the current directory.

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <thread>

#include "platform/failure.h"
#include "platform/win32/launcher_win32.h"
#include "test_folder.h"

namespace quellbrook::win32 {
namespace {

using testing::CurrentDirectoryScope;
using testing::Exists;
using testing::ReadBytes;
using testing::TestFolder;

std::wstring SystemDirectory() {
  wchar_t directory[MAX_PATH + 1] = {};
  return std::wstring(directory, ::GetSystemDirectoryW(directory, MAX_PATH + 1));
}

std::wstring BesideThisProgram(const std::wstring& name) {
  wchar_t path[MAX_PATH + 1] = {};
  std::wstring self(path, ::GetModuleFileNameW(nullptr, path, MAX_PATH + 1));
  return self.substr(0, self.find_last_of(L'\\') + 1) + name;
}

// Polls for a file the launched process writes; the launcher does not wait.
bool WaitForFile(const std::wstring& path) {
  for (int i = 0; i < 300; ++i) {
    if (Exists(path)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));  // let the writer finish
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
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
  TestFolder folder;
  ASSERT_TRUE(::CopyFileW(BesideThisProgram(L"quellbrook_win32_planted_cmd.exe").c_str(),
                          (folder / L"cmd.exe").c_str(), TRUE));
  CurrentDirectoryScope inFolder(folder.Path());

  Win32Launcher launcher;
  launcher.LaunchCommand(u"cmd /c echo x> marker.txt");

  ASSERT_TRUE(WaitForFile(folder / L"marker.txt")) << "the system's cmd.exe did not run in the current directory";
  EXPECT_EQ(ReadBytes(folder / L"marker.txt").substr(0, 1), "x");
  EXPECT_FALSE(Exists(folder / L"planted.txt"));
}

TEST(LauncherTest, OnlyCmdCommandLinesAreLaunched) {
  EXPECT_EQ(LaunchFailure(u"notepad.exe"), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(LaunchFailure(u"cmdx /c exit"), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(LaunchFailure(u""), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
}

}  // namespace
}  // namespace quellbrook::win32
