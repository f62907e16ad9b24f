// A DLL that exists only beside the test program, as one planted beside the
// exe would: nothing in it but a name to look for.

#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
