// A stranger's cmd.exe planted in a working folder. If Quellbrook ever starts it
// instead of the system's command interpreter, it leaves planted.txt with its
// command line behind, which the launch tests look for.

#include <windows.h>

int wmain() {
  const HANDLE marker = CreateFileW(L"planted.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (marker == INVALID_HANDLE_VALUE) return 1;
  const wchar_t* commandLine = GetCommandLineW();
  DWORD written = 0;
  WriteFile(marker, commandLine, static_cast<DWORD>(lstrlenW(commandLine) * sizeof(wchar_t)),
            &written, nullptr);
  CloseHandle(marker);
  return 0;
}
