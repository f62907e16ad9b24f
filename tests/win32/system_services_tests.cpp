// The system's error texts, environment variables and scripting host.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "beside_program.h"
#include "core/failure.h"
#include "platform_failure.h"
#include "test_files.h"
#include "win32/system/com_support.h"
#include "win32/system/environment.h"
#include "win32/system/scripting_host.h"
#include "win32/system/system_error_text.h"
#include "win32/system/system_library.h"
#include "win32/system/wide_text.h"
#include "wine.h"

namespace quellbrook::win32 {
namespace {

using test_support::FailureOf;

TEST(SystemErrorTextTest, IsTheSystemsWordingTrimmedWithHresultsReadAsTheirWin32Code) {
  const std::u16string text = SystemErrorText(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.find_last_not_of(u"\r\n "), text.size() - 1) << "no trailing line break";
  EXPECT_NE(text, SystemErrorText(ERROR_ACCESS_DENIED));
  EXPECT_EQ(SystemErrorText(static_cast<std::uint32_t>(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED))),
            SystemErrorText(ERROR_ACCESS_DENIED));
  EXPECT_EQ(SystemErrorText(0x2FFFFFFFu), KnownErrorText(0x2FFFFFFFu)) << "the system has no text for it";
  EXPECT_EQ(Win32Error(ERROR_FILE_NOT_FOUND, u"xp.bat").Description(), text + u"\r\nxp.bat");
}

// The report speaks the user's language: Chinese where the user's Windows
// (or Wine's locale, LC_ALL=zh_CN.UTF-8) is Chinese.
TEST(SystemErrorTextTest, IsInTheUsersLanguage) {
  if (PRIMARYLANGID(::GetUserDefaultUILanguage()) != LANG_CHINESE) GTEST_SKIP() << "not a Chinese system";
  const std::u16string text = SystemErrorText(ERROR_ACCESS_DENIED);
  EXPECT_TRUE(std::any_of(text.begin(), text.end(), [](char16_t c) { return c >= 0x4E00 && c <= 0x9FFF; }))
      << "no Chinese character in the system's text";
}

TEST(EnvironmentTest, ReadsSetAndUnsetVariables) {
  Win32Environment environment;
  std::wstring longValue(1000, L'v');
  longValue += L"中文";
  ASSERT_TRUE(::SetEnvironmentVariableW(L"QUELLBROOK_TEST_LONG", longValue.c_str()));
  ASSERT_TRUE(::SetEnvironmentVariableW(L"QUELLBROOK_TEST_SHORT", L"x"));
  ::SetEnvironmentVariableW(L"QUELLBROOK_TEST_UNSET", nullptr);

  EXPECT_EQ(environment.EnvironmentValue(u"QUELLBROOK_TEST_LONG"), FromWide(longValue));
  EXPECT_EQ(environment.EnvironmentValue(u"QUELLBROOK_TEST_SHORT"), u"x");
  EXPECT_EQ(environment.EnvironmentValue(u"QUELLBROOK_TEST_UNSET"), u"");
  EXPECT_FALSE(environment.EnvironmentValue(u"SystemRoot").empty());
}

class ScriptingHostTest : public ::testing::Test {
 protected:
  static constexpr wchar_t kKey[] = L"Software\\QuellbrookWin32Tests";

  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }

  static std::wstring ReadText(const wchar_t* value) {
    wchar_t data[256] = {};
    DWORD size = sizeof data;
    LSTATUS status = ::RegGetValueW(HKEY_CURRENT_USER, kKey, value, RRF_RT_REG_SZ, nullptr, data, &size);
    return status == ERROR_SUCCESS ? std::wstring(data) : std::wstring(L"<missing>");
  }

  // No apartment of the test's own: each factory is the first COM user of
  // the thread, as in the program.
  Win32ScriptingHostFactory factory_;
};

// COM's own view of this thread: the apartment type, or -1 outside COM.
int ApartmentOfThisThread() {
  APTTYPE type{};
  APTTYPEQUALIFIER qualifier{};
  return ::CoGetApartmentType(&type, &qualifier) == S_OK ? static_cast<int>(type) : -1;
}

TEST(ScriptingHostFactoryTest, EntersTheApartmentOnFirstUseOnceAndLeavesItWithTheFactory) {
  ASSERT_EQ(ApartmentOfThisThread(), -1) << "something else left COM in use on this thread";
  {
    Win32ScriptingHostFactory factory;
    EXPECT_EQ(ApartmentOfThisThread(), -1) << "COM before the first host";
    auto first = factory.CreateScriptingHost();
    auto second = factory.CreateScriptingHost();
    EXPECT_TRUE(ApartmentOfThisThread() == APTTYPE_MAINSTA || ApartmentOfThisThread() == APTTYPE_STA)
        << ApartmentOfThisThread();
  }
  EXPECT_EQ(ApartmentOfThisThread(), -1) << "the apartment outlived the factory";
}

TEST_F(ScriptingHostTest, RegWriteStoresTextAndNumbers) {
  auto host = factory_.CreateScriptingHost();
  host->RegWrite(u"HKCU\\Software\\QuellbrookWin32Tests\\Name", u"服务");
  host->RegWrite(u"HKCU\\Software\\QuellbrookWin32Tests\\Count", u"3", u"REG_DWORD");

  EXPECT_EQ(ReadText(L"Name"), L"服务");
  DWORD count = 0;
  DWORD size = sizeof count;
  ASSERT_EQ(::RegGetValueW(HKEY_CURRENT_USER, kKey, L"Count", RRF_RT_REG_DWORD, nullptr, &count, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(count, 3u);
}

TEST_F(ScriptingHostTest, RegDeleteRemovesTheValue) {
  auto host = factory_.CreateScriptingHost();
  host->RegWrite(u"HKCU\\Software\\QuellbrookWin32Tests\\Doomed", u"x");
  if (test_support::RunningUnderWine()) {
    // Wine 8's scripting host has no RegDelete: E_NOTIMPL, the value stays.
    const auto failure = FailureOf([&] { host->RegDelete(u"HKCU\\Software\\QuellbrookWin32Tests\\Doomed"); });
    ASSERT_TRUE(failure) << "this Wine implements RegDelete: Windows' outcome below applies";
    EXPECT_EQ(failure->Number(), static_cast<std::uint32_t>(E_NOTIMPL));
    EXPECT_EQ(ReadText(L"Doomed"), L"x");
    return;
  }
  host->RegDelete(u"HKCU\\Software\\QuellbrookWin32Tests\\Doomed");
  EXPECT_EQ(ReadText(L"Doomed"), L"<missing>");
}

TEST_F(ScriptingHostTest, AFailingCallBecomesAPlatformErrorWithADescription) {
  auto host = factory_.CreateScriptingHost();
  const auto failure = FailureOf([&] { host->RegWrite(u"HKNOWHERE\\Software\\QuellbrookWin32Tests\\Value", u"x"); });
  ASSERT_TRUE(failure) << "a write under a root that does not exist succeeded";
  EXPECT_NE(failure->Number(), 0u);
  EXPECT_FALSE(failure->Description().empty());
}

// A host's deferred fill-in: a lambda converts to no __stdcall pointer on x86.
HRESULT WINAPI FillInDescription(EXCEPINFO* info) {
  info->bstrDescription = BstrFromText(L"无法保存注册表项。").Release();
  return S_OK;
}

// What a host raised: its own code and words when it gives them, filled in on
// demand; the system's words for the code when it gives none.
TEST(ExcepInfoTest, GivesTheHostsCodeAndDescription) {
  ExceptionInfo described;
  described.Get()->scode = static_cast<SCODE>(0x80070005u);
  described.Get()->pfnDeferredFillIn = &FillInDescription;
  const PlatformError fromHost = ErrorFromExcepInfo(described.Filled(), DISP_E_EXCEPTION);
  EXPECT_EQ(fromHost.Number(), 0x80070005u);
  EXPECT_EQ(fromHost.Description(), u"无法保存注册表项。");

  ExceptionInfo bare;
  bare.Get()->wCode = 1021;
  const PlatformError fromSystem = ErrorFromExcepInfo(bare.Filled(), DISP_E_EXCEPTION);
  EXPECT_EQ(fromSystem.Number(), 1021u);
  EXPECT_EQ(fromSystem.Description(), SystemErrorText(1021));
  EXPECT_EQ(ErrorFromExcepInfo(ExceptionInfo().Filled(), DISP_E_EXCEPTION).Number(),
            static_cast<std::uint32_t>(DISP_E_EXCEPTION));
}

// Libraries come from the system folder only, and a library or function that
// cannot be had is a failure the user is told about.
TEST(SystemLibraryTest, LoadsFromTheSystemFolderOnlyAndReportsWhatIsMissing) {
  test_support::TempFolder folder;
  test_support::CurrentFolderScope inFolder(folder.Path());
  const std::wstring planted = L"quellbrook_planted.dll";
  ASSERT_TRUE(::CopyFileW(test_support::BesideThisProgram(L"planted_cmd.exe").c_str(),
                          (folder / planted).wstring().c_str(), FALSE));
  HMODULE ordinary = ::LoadLibraryExW(planted.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
  ASSERT_NE(ordinary, nullptr) << "the ordinary search does not find a DLL in the current folder";
  ::FreeLibrary(ordinary);

  for (const std::wstring& name : {planted, std::wstring(L"quellbrook_no_such.dll")}) {
    const auto failure = FailureOf([&] { SystemLibrary library(name.c_str()); });
    ASSERT_TRUE(failure) << "loaded " << name << " from outside the system folder";
    EXPECT_EQ(failure->Number(), static_cast<std::uint32_t>(ERROR_MOD_NOT_FOUND));
    EXPECT_NE(failure->Description().find(FromWide(name)), std::u16string::npos);
  }

  SystemLibrary oleaut32(L"oleaut32.dll");
  EXPECT_NE(oleaut32.Export<decltype(&::SysStringLen)>("SysStringLen"), nullptr);
  const auto missing = FailureOf([&] { oleaut32.Export<decltype(&::SysStringLen)>("QuellbrookNoSuchFunction"); });
  ASSERT_TRUE(missing) << "found a function that does not exist";
  EXPECT_EQ(missing->Number(), static_cast<std::uint32_t>(ERROR_PROC_NOT_FOUND));
  EXPECT_NE(missing->Description().find(u"QuellbrookNoSuchFunction"), std::u16string::npos);
}

}  // namespace
}  // namespace quellbrook::win32
