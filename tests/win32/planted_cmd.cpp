// Stands in for a cmd.exe dropped into the current directory: it only leaves
// planted.txt behind, so a test can tell that it was started.

#include <windows.h>

int main() {
  HANDLE marker = ::CreateFileW(L"planted.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
  if (marker == INVALID_HANDLE_VALUE) return 1;
  ::CloseHandle(marker);
  return 0;
}
