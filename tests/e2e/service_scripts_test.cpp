// The shipped scripts, run by cmd in a folder where a stranger planted sc, reg, find and findstr,
// which must never run. bf.bat only reads; the others run only under Wine, whose sc does nothing.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "app_session.h"
#include "registry_state.h"
#include "wine.h"
#include "work_folder.h"

namespace quellbrook::e2e {
namespace {

class ScriptFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring exe = QuellbrookExePath(), beside = exe.substr(0, exe.find_last_of(L"\\/") + 1);
    for (const wchar_t* script : {L"xp.bat", L"vista.bat", L"Win7.bat", L"bf.bat"})
      ASSERT_TRUE(CopyFileW((beside + script).c_str(), (folder / script).c_str(), TRUE)) << "no shipped script";
    for (const wchar_t* tool : {L"sc.bat", L"reg.bat", L"find.bat", L"findstr.bat"})
      ASSERT_TRUE(folder.Write(tool, "@echo %~nx0 %*>>\"%~dp0planted.txt\"\r\n"));
    ASSERT_TRUE(folder.Write(L"yes.txt", "Y\r\n"));  // xp.bat and vista.bat ask on other Windows
  }
  void TearDown() override { EXPECT_EQ(folder.Read(L"planted.txt"), std::nullopt) << "a planted tool ran"; }
  // The script's exit code; what it printed is in out.txt.
  int Run(const std::wstring& script) {
    const test_support::CurrentFolderScope inFolder(folder.Path());
    return _wsystem((script + L" < yes.txt > out.txt 2>&1").c_str());
  }

  WorkFolder folder;
};

TEST_F(ScriptFolder, BackingUpAgainKeepsTheFirstRestoreScriptAndWritesTheChangedModeBesideIt) {
  const wchar_t* const key = L"SYSTEM\\CurrentControlSet\\Services\\StiSvc";
  const auto start = test_support::ReadRegistryValue(HKEY_LOCAL_MACHINE, key, L"Start");
  if (!start || !start->Number()) GTEST_SKIP() << "this Windows has no image acquisition service";
  ASSERT_EQ(Run(L"bf.bat"), 0) << folder.Read(L"out.txt").value_or("");
  const auto first = folder.Read(L"restore.bat");
  ASSERT_TRUE(first);
  test_support::RegistryGuard guard;
  guard.KeepValue(HKEY_LOCAL_MACHINE, key, L"Start");
  const DWORD changed = *start->Number() == 4 ? 3 : 4;
  ASSERT_TRUE(test_support::SetRegistryValue(HKEY_LOCAL_MACHINE, key, L"Start", REG_DWORD, {BYTE(changed), 0, 0, 0}));
  ASSERT_EQ(Run(L"bf.bat"), 0) << folder.Read(L"out.txt").value_or("");
  const std::string restoresIt = std::string("call :config stisvc start= ") + (changed == 4 ? "disabled" : "demand");
  EXPECT_EQ(folder.Read(L"restore.bat"), first) << "the first backup changed";
  EXPECT_EQ(first->find(restoresIt), std::string::npos);
  EXPECT_NE(folder.Read(L"restore-2.bat").value_or("").find(restoresIt + "\r\n"), std::string::npos);
}

class ServiceChangingScript : public ScriptFolder, public ::testing::WithParamInterface<const wchar_t*> {};

// One line "  NAME：result" per "call :config NAME" line of the script, and a closing
// line that counts the services, then the successes, absent and failed ones.
TEST_P(ServiceChangingScript, ReportsEachServiceOnItsOwnLineAndATrueTotal) {
  if (!test_support::RunningUnderWine()) GTEST_SKIP() << "it would change the services of this machine";
  const int backup = GetParam() == std::wstring(L"restore.bat") ? Run(L"bf.bat") : 0;
  ASSERT_EQ(backup, 0);
  ASSERT_EQ(Run(GetParam()), 0);
  const auto lines = [](const std::string& text, const std::string& start) {
    size_t found = 0;
    for (size_t at = text.find(start); at != std::string::npos; at = text.find(start, at + 1)) ++found;
    return found;
  };
  const size_t services = lines(folder.Read(GetParam()).value_or(""), "\r\ncall :config ");
  const std::string output = "\r\n" + folder.Read(L"out.txt").value_or("");
  EXPECT_GT(services, 0u);
  EXPECT_EQ(lines(output, "\r\n  "), services) << output;
  std::string closing = output.substr(output.rfind("\r\n", output.find_last_not_of("\r\n")));
  for (char& c : closing) c = c >= '0' && c <= '9' ? c : ' ';
  size_t total = 0, succeeded = 0, absent = 0, failed = 0;
  std::istringstream(closing) >> total >> succeeded >> absent >> failed;
  EXPECT_EQ(total, services) << output;
  EXPECT_EQ(succeeded + absent + failed, services);
}

INSTANTIATE_TEST_SUITE_P(All, ServiceChangingScript, ::testing::Values(L"xp.bat", L"vista.bat", L"Win7.bat", L"restore.bat"));

}  // namespace
}  // namespace quellbrook::e2e
