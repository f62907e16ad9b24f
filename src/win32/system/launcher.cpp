#include "win32/system/launcher.h"

#include <windows.h>

#include "win32/system/environment.h"
#include "win32/system/system_folder.h"
#include "win32/system/unique_handle.h"
#include "win32/system/wide_text.h"
#include "win32/system/win32_error.h"

namespace quellbrook::win32 {
namespace {

bool StartsWithCmd(std::u16string_view commandLine) {
  if (commandLine.size() < 3) return false;
  for (std::size_t i = 0; i < 3; ++i) {
    if ((commandLine[i] | 0x20) != u"cmd"[i]) return false;
  }
  return commandLine.size() == 3 || commandLine[3] == u' ' || commandLine[3] == u'\t';
}

}  // namespace

std::wstring SystemCommandInterpreterPath() {
  // A 32-bit process on 64-bit Windows that names system32 gets syswow64's
  // 32-bit cmd.exe, and the scripts' reg and system32 paths would act on the
  // 32-bit views. Sysnative, which exists only for such processes, names the
  // real system32.
  if (RunsUnderWow64()) return WindowsFolder() + L"\\Sysnative\\cmd.exe";
  return SystemFolder() + L"\\cmd.exe";
}

void Win32Launcher::LaunchCommand(std::u16string_view commandLine) {
  if (!StartsWithCmd(commandLine)) ThrowWin32Error(ERROR_INVALID_PARAMETER, commandLine);

  std::wstring application = SystemCommandInterpreterPath();
  std::wstring writableCommandLine = ToWide(commandLine);  // CreateProcessW may write into it
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(application.c_str(), writableCommandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE, nullptr, nullptr, &startup, &process)) {
    ThrowLastError(commandLine);
  }
  // The script runs on its own; nobody waits for it.
  UniqueKernelHandle processHandle(process.hProcess);
  UniqueKernelHandle threadHandle(process.hThread);
}

}  // namespace quellbrook::win32
