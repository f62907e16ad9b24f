// The face a font is created in. The widths the captions take in it are
// figures, not facts: bench/win32/caption_extents.cpp prints them.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "win32/ui/dpi.h"

namespace quellbrook::win32 {
namespace {

struct DrawnFaceRow {
  std::u16string_view tableFace;
  const wchar_t* drawnFace;
};

class DrawnFaceTest : public ::testing::TestWithParam<DrawnFaceRow> {};

// SimSun comes with every Windows; the test prefixes map it to a stand-in.
TEST_P(DrawnFaceTest, AFontIsAskedForInItsFaceWhereInstalledElseInSimSun) {
  UniqueFont font = CreateFontForDpi(FontChoice{GetParam().tableFace, 90, 400, 134}, 96);
  LOGFONTW logFont{};
  ASSERT_NE(::GetObjectW(font.Get(), sizeof logFont, &logFont), 0);
  EXPECT_EQ(std::wstring(logFont.lfFaceName), GetParam().drawnFace);
}

INSTANTIATE_TEST_SUITE_P(Rows, DrawnFaceTest,
                         ::testing::Values(DrawnFaceRow{u"SimSun", L"SimSun"}, DrawnFaceRow{u"无此字体", L"宋体"}));

}  // namespace
}  // namespace quellbrook::win32
