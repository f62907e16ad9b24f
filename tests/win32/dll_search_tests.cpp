// After the start-up hardening, a DLL is loaded by bare name from the system
// folder only. It holds for the rest of this test process, as for the program.

#include <gtest/gtest.h>

#include <windows.h>

#include "beside_program.h"
#include "win32/system/dll_search.h"
#include "win32/system/unique_handle.h"

namespace quellbrook::win32 {
namespace {

TEST(DllSearchTest, LeavesOutTheProgramsFolderButNotTheSystemFolder) {
  ASSERT_NE(::GetFileAttributesW(test_support::BesideThisProgram(L"quellbrook_lone.dll").c_str()),
            INVALID_FILE_ATTRIBUTES);
  RestrictDllSearchToSystemFolder();
  UniqueModule planted(::LoadLibraryW(L"quellbrook_lone.dll"));
  EXPECT_FALSE(planted);
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_TRUE(UniqueModule(::LoadLibraryW(L"version.dll")));
}

}  // namespace
}  // namespace quellbrook::win32
