// The three script panels on real files: refresh, edit and save with the exact
// bytes on disk, bytes outside the code page included.

#include <gtest/gtest.h>

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
  int text;
  int refresh;
  int edit;
  int save;
  const wchar_t* script;
  const wchar_t* confirmation;
};

const Panel kPanels[] = {
    {"XP", Command(14), Text(2), Command(6), Command(7), Command(8), L"xp.bat", L"成功写入xp.bat文件……"},
    {"Vista", Command(1), Text(3), Command(10), Command(11), Command(12), L"vista.bat", L"成功写入vista.bat文件……"},
    {"Win7", Command(17), Text(4), Command(19), Command(20), Command(21), L"Win7.bat", L"成功写入Win7.bat文件……"},
};
const Panel& kXp = kPanels[0];

// Names the panel in the test log.
void PrintTo(const Panel& panel, std::ostream* out) { *out << panel.name; }

class ScriptPanelCycle : public RunningApp, public ::testing::WithParamInterface<Panel> {};

// Which button enables what is the unit tests'; here the real code page and
// file meet the panel's text box.
TEST_P(ScriptPanelCycle, RefreshEditAndSaveWriteExactlyTheTextBack) {
  const Panel& panel = GetParam();
  // Code page 936 text, a lone CR, a lone LF and no break after the last line.
  ASSERT_TRUE(folder.Write(panel.script, "@echo off\r\nrem \xd3\xc5\xbb\xaf\rsc a\nb\r\nlast"));

  ASSERT_TRUE(app->Click(panel.platformButton));
  ASSERT_TRUE(app->Click(panel.refresh)) << "refresh did not return (a message box?)";
  EXPECT_EQ(app->Text(panel.text), L"@echo off\r\nrem 优化\r\nsc a\nb\r\nlast\r\n");

  ASSERT_TRUE(app->Click(panel.edit));
  ASSERT_TRUE(app->SetText(panel.text, L"net stop 优化\r\necho done"));
  EXPECT_EQ(app->ClickExpectingBoxOn(app->Control(panel.save), {}, [&] {
    EXPECT_EQ(folder.Read(panel.script), "net stop \xd3\xc5\xbb\xaf\r\necho done\r\n")
        << "the file is complete before the confirmation";
  }), panel.confirmation);
  EXPECT_EQ(folder.Names(), std::vector<test_support::path>{panel.script});
}

INSTANTIATE_TEST_SUITE_P(AllPanels, ScriptPanelCycle, ::testing::ValuesIn(kPanels),
                         ::testing::PrintToStringParamName());

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
  ASSERT_TRUE(app->ClickExpectingBox(kXp.save)) << "no confirmation";
  // Only the line rules change bytes: the lone CR becomes CR LF, and the saved
  // text gets one more CR LF at its end.
  EXPECT_EQ(folder.Read(kXp.script),
            "a\x81 b\r\n\xff\r\nnul\0mid\r\n\xd6\xd0\xce\xc4x\xd6\r\nlone\r\ncr\nlf\r\nend\r\n\r\n"sv);
}

}  // namespace
}  // namespace quellbrook::e2e
