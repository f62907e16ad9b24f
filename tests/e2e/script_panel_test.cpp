// The three script panels on real files: refresh, edit and save with the exact
// bytes on disk, bytes outside the code page included.

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
};

const Panel kXp{"XP",       Command(14), Frame(1),   Text(2),
                Command(6), Command(7),  Command(8), L"xp.bat",
                L"成功写入xp.bat文件……"};
const Panel kVista{"Vista",     Command(1),  Frame(2),    Text(3),
                   Command(10), Command(11), Command(12), L"vista.bat",
                   L"成功写入vista.bat文件……"};
const Panel kWin7{"Win7",      Command(17), Frame(4),    Text(4),
                  Command(19), Command(20), Command(21), L"Win7.bat",
                  L"成功写入Win7.bat文件……"};

// Names the panel in the test log.
void PrintTo(const Panel& panel, std::ostream* out) { *out << panel.name; }

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

INSTANTIATE_TEST_SUITE_P(AllPanels, ScriptPanelCycle, ::testing::Values(kXp, kVista, kWin7),
                         [](const ::testing::TestParamInfo<Panel>& info) {
                           return std::string(info.param.name);
                         });

using ScriptFiles = RunningApp;

// What the text box holds between refresh and save gives back every byte.
TEST_F(ScriptFiles, BytesOutsideTheCodePageSurviveRefreshAndSave) {
  // A lead byte with a space after it, a lone 0xFF, a NUL, a lone lead byte
  // before the line break, Chinese text, a lone CR and a lone LF.
  const std::string_view original =
      "a\x81 b\r\n\xff\r\nnul\0mid\r\n\xd6\xd0\xce\xc4x\xd6\r\nlone\rcr\nlf\r\nend"sv;
  ASSERT_TRUE(folder.Write(kXp.script, original));

  ASSERT_TRUE(app->Click(kXp.refresh));
  ASSERT_TRUE(app->Click(kXp.edit));
  const std::optional<std::wstring> box = app->ClickExpectingBox(kXp.save);
  ASSERT_TRUE(box) << "no confirmation";
  EXPECT_EQ(*box, kXp.confirmation);
  // Only the line rules change bytes: the lone CR becomes CR LF, and the saved
  // text gets one more CR LF at its end.
  EXPECT_EQ(folder.Read(kXp.script),
            "a\x81 b\r\n\xff\r\nnul\0mid\r\n\xd6\xd0\xce\xc4x\xd6\r\nlone\r\ncr\nlf\r\nend\r\n\r\n"sv);
  EXPECT_EQ(folder.Names(), std::vector<test_support::path>{L"xp.bat"});
}

}  // namespace
}  // namespace quellbrook::e2e
