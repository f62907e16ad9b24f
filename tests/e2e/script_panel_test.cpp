// The three script panels on real files: refresh, edit and save with the exact
// bytes on disk, failure reports, file attributes, and launching the scripts.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "running_app.h"

namespace quellbrook::e2e {
namespace {

using namespace std::string_view_literals;

struct Panel {
  const char* name;
  int platformButton;
  int frame;
  int text;
  int refresh;
  int edit;
  int save;
  const wchar_t* script;
  const wchar_t* confirmation;
  bool refreshUnlocksEdit;
};

const Panel kXp{"XP",       Command(14), Frame(1),   Text(2),
                Command(6), Command(7),  Command(8), L"xp.bat",
                L"成功写入xp.bat文件……", true};
const Panel kVista{"Vista",     Command(1),  Frame(2),    Text(3),
                   Command(10), Command(11), Command(12), L"vista.bat",
                   L"成功写入vista.bat文件……", true};
const Panel kWin7{"Win7",      Command(17), Frame(4),    Text(4),
                  Command(19), Command(20), Command(21), L"Win7.bat",
                  L"成功写入Win7.bat文件……", false};

// Names the panel in the test log.
void PrintTo(const Panel& panel, std::ostream* out) { *out << panel.name; }

// True when `number` appears in `text` as a whole decimal number.
bool ContainsNumber(std::wstring_view text, unsigned number) {
  const std::wstring digits = std::to_wstring(number);
  for (std::size_t at = text.find(digits); at != std::wstring_view::npos;
       at = text.find(digits, at + 1)) {
    const bool digitBefore = at > 0 && iswdigit(text[at - 1]);
    const std::size_t end = at + digits.size();
    const bool digitAfter = end < text.size() && iswdigit(text[end]);
    if (!digitBefore && !digitAfter) return true;
  }
  return false;
}

// The system's description of an error, as FormatMessage gives it here.
std::wstring SystemDescription(DWORD error) {
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                     FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring description = text ? text : L"";
  if (text) LocalFree(text);
  while (!description.empty() && iswspace(description.back())) description.pop_back();
  return description;
}

using ScriptFiles = RunningApp;

class ScriptPanelCycle : public RunningApp, public ::testing::WithParamInterface<Panel> {};

TEST_P(ScriptPanelCycle, RefreshEditAndSaveWriteExactlyTheTextBack) {
  const Panel& panel = GetParam();
  for (const Panel& any : {kXp, kVista, kWin7}) {
    ASSERT_TRUE(folder.Write(any.script, "untouched\r\n"));
  }
  // Code page 936 text, a lone CR, a lone LF and no break after the last line.
  ASSERT_TRUE(folder.Write(panel.script, "@echo off\r\nrem \xd3\xc5\xbb\xaf\rsc a\nb\r\nlast"));
  const bool editStartsEnabled = app->Enabled(panel.edit);

  ASSERT_TRUE(app->Click(panel.platformButton));
  ASSERT_TRUE(app->OwnVisible(panel.frame));
  ASSERT_TRUE(app->Click(panel.refresh)) << "refresh did not return (a message box?)";
  EXPECT_EQ(app->Text(panel.text), L"@echo off\r\nrem 优化\r\nsc a\nb\r\nlast\r\n");
  EXPECT_TRUE(app->Enabled(panel.edit));
  EXPECT_FALSE(app->Enabled(panel.text));
  EXPECT_FALSE(app->Enabled(panel.save));
  if (panel.refresh == kWin7.refresh) {
    EXPECT_TRUE(editStartsEnabled);
  }

  ASSERT_TRUE(app->Click(panel.edit));
  EXPECT_TRUE(app->Enabled(panel.text));
  EXPECT_TRUE(app->Enabled(panel.save));
  EXPECT_FALSE(app->Enabled(panel.edit));

  ASSERT_TRUE(app->SetText(panel.text, L"net stop 优化\r\necho done"));
  app->PostClick(panel.save);
  const HWND box = app->WaitForBox(15000);
  ASSERT_NE(box, nullptr) << "no confirmation";
  EXPECT_EQ(AppSession::BoxText(box), panel.confirmation);
  // The file is complete before the confirmation; the flags change after it.
  EXPECT_EQ(folder.Read(panel.script), "net stop \xd3\xc5\xbb\xaf\r\necho done\r\n");
  EXPECT_TRUE(app->Enabled(panel.save));
  EXPECT_FALSE(app->Enabled(panel.edit));
  ASSERT_TRUE(app->DismissBox(box));

  EXPECT_TRUE(app->Enabled(panel.edit));
  EXPECT_FALSE(app->Enabled(panel.save));
  EXPECT_FALSE(app->Enabled(panel.text));
  for (const Panel& other : {kXp, kVista, kWin7}) {
    if (std::wstring_view(other.script) != panel.script) {
      EXPECT_EQ(folder.Read(other.script), "untouched\r\n");
    }
  }
  EXPECT_EQ(folder.Names(), (std::vector<test_support::path>{L"Win7.bat", L"vista.bat", L"xp.bat"}));
}

TEST_P(ScriptPanelCycle, RefreshWhileEditingReloadsTheFile) {
  const Panel& panel = GetParam();
  ASSERT_TRUE(folder.Write(panel.script, "first\r\n"));
  ASSERT_TRUE(app->Click(panel.platformButton));
  ASSERT_TRUE(app->Click(panel.refresh));
  ASSERT_TRUE(app->Click(panel.edit));
  ASSERT_TRUE(app->SetText(panel.text, L"unsaved"));
  ASSERT_TRUE(folder.Write(panel.script, "second\r\n"));

  ASSERT_TRUE(app->Click(panel.refresh)) << "refresh did not return (a message box?)";
  EXPECT_EQ(app->Text(panel.text), L"second\r\n");
  EXPECT_TRUE(app->Enabled(panel.text));
  EXPECT_TRUE(app->Enabled(panel.save));
  // Only the XP and Vista refresh gives the edit button back.
  EXPECT_EQ(app->Enabled(panel.edit), panel.refreshUnlocksEdit);
}

INSTANTIATE_TEST_SUITE_P(AllPanels, ScriptPanelCycle, ::testing::Values(kXp, kVista, kWin7),
                         [](const ::testing::TestParamInfo<Panel>& info) {
                           return std::string(info.param.name);
                         });

// Refresh, edit, optionally new text, then save: returns the box the save
// showed, closed with OK, or nothing when no box came.
std::optional<std::wstring> SaveThroughXpPanel(AppSession& app,
                                               std::optional<std::wstring_view> newText) {
  if (!app.Click(kXp.refresh) || !app.Click(kXp.edit)) return std::nullopt;
  if (newText && !app.SetText(kXp.text, *newText)) return std::nullopt;
  return app.ClickExpectingBox(kXp.save);
}

TEST_F(ScriptFiles, MissingScriptIsReportedAndTheNextRefreshWorks) {
  const std::optional<std::wstring> report = app->ClickExpectingBox(kXp.refresh);
  ASSERT_TRUE(report) << "no error report";
  EXPECT_TRUE(ContainsNumber(*report, ERROR_FILE_NOT_FOUND)) << Narrow(*report);
  const std::wstring description = SystemDescription(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(description.empty());
  EXPECT_NE(report->find(description), std::wstring::npos) << Narrow(*report);
  EXPECT_EQ(app->Text(kXp.text).rfind(L"  感谢你使用", 0), 0u);
  EXPECT_FALSE(app->Enabled(kXp.edit));

  ASSERT_TRUE(folder.Write(kXp.script, "echo hi\r\n"));
  ASSERT_TRUE(app->Click(kXp.refresh)) << "refresh did not return (a message box?)";
  EXPECT_EQ(app->Text(kXp.text), L"echo hi\r\n");
  EXPECT_TRUE(app->Enabled(kXp.edit));
}

TEST_F(ScriptFiles, BytesOutsideTheCodePageSurviveRefreshAndSave) {
  // A lead byte with a space after it, a lone 0xFF, a NUL, a lone lead byte
  // before the line break, Chinese text, a lone CR and a lone LF.
  const std::string_view original =
      "a\x81 b\r\n\xff\r\nnul\0mid\r\n\xd6\xd0\xce\xc4x\xd6\r\nlone\rcr\nlf\r\nend"sv;
  ASSERT_TRUE(folder.Write(kXp.script, original));

  const std::optional<std::wstring> box = SaveThroughXpPanel(*app, std::nullopt);
  ASSERT_TRUE(box);
  EXPECT_EQ(*box, kXp.confirmation);
  // Only the line rules change bytes: the lone CR becomes CR LF, and the saved
  // text gets one more CR LF at its end.
  EXPECT_EQ(folder.Read(kXp.script),
            "a\x81 b\r\n\xff\r\nnul\0mid\r\n\xd6\xd0\xce\xc4x\xd6\r\nlone\r\ncr\nlf\r\nend\r\n\r\n"sv);
  EXPECT_EQ(folder.Names(), std::vector<test_support::path>{L"xp.bat"});
}

TEST_F(ScriptFiles, UnrepresentableCharacterFailsTheSaveAndLeavesTheFile) {
  const std::string_view original = "line one\r\nline two\r\n"sv;
  ASSERT_TRUE(folder.Write(kXp.script, original));

  const std::optional<std::wstring> report =
      SaveThroughXpPanel(*app, L"line one\r\nline two\r\nthird \u0E01 line\r\n");
  ASSERT_TRUE(report) << "no error report";
  EXPECT_NE(*report, kXp.confirmation);
  EXPECT_NE(report->find(L"\u0E01"), std::wstring::npos) << Narrow(*report);
  EXPECT_TRUE(ContainsNumber(*report, 3)) << "names the line: " << Narrow(*report);
  EXPECT_EQ(folder.Read(kXp.script), original);
  EXPECT_EQ(folder.Names(), std::vector<test_support::path>{L"xp.bat"});
  // The panel stays in its editing state.
  EXPECT_TRUE(app->Enabled(kXp.save));
  EXPECT_TRUE(app->Enabled(kXp.text));
}

TEST_F(ScriptFiles, ReadOnlyScriptIsNotOverwritten) {
  const std::string_view original = "keep me\r\n"sv;
  ASSERT_TRUE(folder.Write(kXp.script, original));
  ASSERT_TRUE(folder.SetAttributes(kXp.script, FILE_ATTRIBUTE_READONLY));

  const std::optional<std::wstring> report = SaveThroughXpPanel(*app, L"changed");
  ASSERT_TRUE(report) << "no error report";
  EXPECT_NE(*report, kXp.confirmation);
  EXPECT_TRUE(ContainsNumber(*report, ERROR_ACCESS_DENIED)) << Narrow(*report);
  EXPECT_EQ(folder.Read(kXp.script), original);
  EXPECT_NE(folder.Attributes(kXp.script) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_EQ(folder.Names(), std::vector<test_support::path>{L"xp.bat"});
  EXPECT_TRUE(app->Enabled(kXp.save));
}

TEST_F(ScriptFiles, HiddenSystemScriptKeepsItsAttributesAfterSave) {
  ASSERT_TRUE(folder.Write(kXp.script, "old\r\n"));
  ASSERT_TRUE(folder.SetAttributes(kXp.script, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));

  const std::optional<std::wstring> box = SaveThroughXpPanel(*app, L"new");
  ASSERT_TRUE(box);
  EXPECT_EQ(*box, kXp.confirmation);
  EXPECT_EQ(folder.Read(kXp.script), "new\r\n");
  const DWORD attributes = folder.Attributes(kXp.script);
  EXPECT_NE(attributes & FILE_ATTRIBUTE_HIDDEN, 0u) << std::hex << attributes;
  EXPECT_NE(attributes & FILE_ATTRIBUTE_SYSTEM, 0u) << std::hex << attributes;
  EXPECT_EQ(folder.Names(), std::vector<test_support::path>{L"xp.bat"});
}

TEST_F(ScriptFiles, OptimizeAndBackupRunTheSystemCmdNotOneInTheFolder) {
  ASSERT_TRUE(folder.Write(L"xp.bat", "@echo ran> launched.txt\r\n"));
  ASSERT_TRUE(folder.Write(L"bf.bat", "@echo backup> backup.txt\r\n"));
  ASSERT_TRUE(folder.CopyIn(test_support::BesideThisProgram(L"planted_cmd.exe"), L"cmd.exe"))
      << "planted_cmd.exe must lie beside the driver";

  ASSERT_TRUE(app->Click(Command(15))) << "optimize did not return at once";
  EXPECT_TRUE(folder.WaitForFile(L"launched.txt", 30000)) << "xp.bat did not run";
  ASSERT_TRUE(app->Click(Command(9))) << "backup did not return at once";
  EXPECT_TRUE(folder.WaitForFile(L"backup.txt", 30000)) << "bf.bat did not run";

  EXPECT_FALSE(folder.Exists(L"planted.txt")) << "the cmd.exe in the working folder ran";
  EXPECT_EQ(folder.Read(L"launched.txt").value_or("").rfind("ran", 0), 0u);
  EXPECT_TRUE(IsWindow(app->Form()));
  EXPECT_EQ(app->WaitForBox(0), nullptr);
}

}  // namespace
}  // namespace quellbrook::e2e
