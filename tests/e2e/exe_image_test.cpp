// What Windows reads from Quellbrook.exe's headers and manifest before its
// first instruction.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "app_session.h"
#include "u16.h"
#include "win32/system/unique_handle.h"

namespace quellbrook::e2e {
namespace {

// Windows 10 1607 and later resolve the exe's own imports with the load
// configuration's DependentLoadFlags (MinGW's headers call it Reserved1).
TEST(ExeImageTest, ResolvesItsImportsFromTheSystemFolderOnly) {
  const win32::UniqueModule mapped(
      LoadLibraryExW(QuellbrookExePath().c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(mapped) << GetLastError();
  // The low bits of a resource-only module's handle mark it as such.
  const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<std::uintptr_t>(mapped.Get()) &
                                                   ~std::uintptr_t{3});
  const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY directory =
      headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG];
  ASSERT_GE(directory.Size, offsetof(IMAGE_LOAD_CONFIG_DIRECTORY, EditList)) << "no DependentLoadFlags";
  const auto* config = reinterpret_cast<const IMAGE_LOAD_CONFIG_DIRECTORY*>(base + directory.VirtualAddress);
  EXPECT_EQ(config->Size, directory.Size);
  EXPECT_EQ(config->Reserved1, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

TEST(ExeManifest, AsksForAdministratorCommonControlsSixAndPerMonitorDpi) {
  const std::wstring exe = QuellbrookExePath();
  const HMODULE image = LoadLibraryExW(
      exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(image, nullptr) << "cannot load " << test_support::Utf8(exe);
  const HRSRC resource = FindResourceW(image, MAKEINTRESOURCEW(1), RT_MANIFEST);
  ASSERT_NE(resource, nullptr) << "no manifest with ID 1";
  const HGLOBAL loaded = LoadResource(image, resource);
  const char* bytes = static_cast<const char*>(LockResource(loaded));
  ASSERT_NE(bytes, nullptr);
  const std::string manifest(bytes, SizeofResource(image, resource));
  FreeLibrary(image);

  EXPECT_NE(manifest.find("requireAdministrator"), std::string::npos);
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
}

}  // namespace
}  // namespace quellbrook::e2e
