#include "win32/launcher.h"

#include <windows.h>

#include "win32/unique_handle.h"
#include "win32/wide_text.h"
#include "win32/win32_error.h"
#include "win32/wow64.h"

namespace quellbrook::win32 {
namespace {

bool StartsWithCmd(std::u16string_view commandLine) {
  if (commandLine.size() < 3) return false;
  for (std::size_t i = 0; i < 3; ++i) {
    if ((commandLine[i] | 0x20) != u"cmd"[i]) return false;
  }
  return commandLine.size() == 3 || commandLine[3] == u' ' || commandLine[3] == u'\t';
}

// A system folder query of the GetSystemDirectoryW kind, grown until it fits.
std::wstring SystemFolder(UINT (WINAPI *query)(LPWSTR, UINT)) {
  std::wstring directory(MAX_PATH, L'\0');
  for (;;) {
    UINT length = query(directory.data(), static_cast<UINT>(directory.size()));
    if (length == 0) ThrowLastError();
    if (length < directory.size()) {
      directory.resize(length);
      return directory;
    }
    directory.resize(length);  // too small: length is the size needed
  }
}

}  // namespace

std::wstring SystemCommandInterpreterPath() {
  // A 32-bit process on 64-bit Windows that names system32 gets syswow64's
  // 32-bit cmd.exe, and the scripts' reg and system32 paths would act on the
  // 32-bit views. Sysnative, which exists only for such processes, names the
  // real system32. GetSystemWindowsDirectoryW, not GetWindowsDirectoryW: under
  // Terminal Services the latter is a private folder of the user.
  if (RunsUnderWow64()) return SystemFolder(&::GetSystemWindowsDirectoryW) + L"\\Sysnative\\cmd.exe";
  return SystemFolder(&::GetSystemDirectoryW) + L"\\cmd.exe";
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
