// The captions of the three windows measured with the fonts this system draws
// them in. On Windows these are SimSun and SimHei, whose widths the unit tests
// check; under Wine stand-in faces draw them, so the differences are printed
// for the reader rather than asserted.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "app/form1.h"
#include "hosts/form3.h"
#include "tweaks/form2.h"
#include "win32/ui/device_context.h"
#include "win32/ui/dpi.h"
#include "win32/ui/installed_faces.h"
#include "win32/system/wide_text.h"

namespace quellbrook::win32 {
namespace {

std::string Utf8(std::wstring_view text) {
  std::string narrow(text.size() * 3, '\0');
  const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                                           static_cast<int>(narrow.size()), nullptr, nullptr);
  narrow.resize(static_cast<std::size_t>(length > 0 ? length : 0));
  return narrow;
}

class CaptionExtentTest : public ::testing::TestWithParam<const FormTable*> {};

TEST_P(CaptionExtentTest, MeasuresEveryCaptionAndReportsWhereTheFaceDiffersFromSimSunMetrics) {
  const FormTable& form = *GetParam();
  const UINT dpi = SystemDpi();
  WindowDc screen(nullptr);
  ASSERT_NE(screen.Get(), nullptr);
  for (const ControlRow& row : form.controls) {
    if (row.kind == ControlKind::kTextBox || row.caption.empty()) continue;
    const FontChoice& choice = row.font != nullptr ? *row.font : form.defaultFont;
    UniqueFont font = CreateFontForDpi(choice, dpi);
    SelectedObject selected(screen.Get(), font.Get());
    const std::wstring caption = ToWide(row.caption);
    SIZE drawn{};
    ASSERT_TRUE(::GetTextExtentPoint32W(screen.Get(), caption.c_str(), static_cast<int>(caption.size()), &drawn));
    TEXTMETRICW metrics{};
    ASSERT_TRUE(::GetTextMetricsW(screen.Get(), &metrics));
    EXPECT_GT(drawn.cx, 0);

    const PixelSize expected = CaptionSize(row.caption, EmPixels(choice, dpi));
    const PixelSize room = CaptionRoom(form, row, dpi);
    if (drawn.cx != expected.width || metrics.tmHeight != expected.height) {
      wchar_t face[LF_FACESIZE] = {};
      ::GetTextFaceW(screen.Get(), LF_FACESIZE, face);
      std::printf("  %s (id %d) at %u DPI in %s: %ldx%ld drawn, %dx%d with SimSun metrics, room %dx%d%s\n",
                  Utf8(caption).c_str(), ToInt(row.id), dpi, Utf8(face).c_str(), drawn.cx, metrics.tmHeight, expected.width,
                  expected.height, room.width, room.height,
                  drawn.cx > room.width || metrics.tmHeight > room.height ? " (clipped by this face)" : "");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllWindows, CaptionExtentTest, ::testing::Values(&kForm1Table, &kForm2Table, &kForm3Table));

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
  std::printf("  this system lists 黑体 as \"%s\", 宋体 as \"%s\"\n",
              Utf8(ToWide(InstalledFaceName(u"黑体"))).c_str(), Utf8(ToWide(InstalledFaceName(u"宋体"))).c_str());
}

INSTANTIATE_TEST_SUITE_P(Rows, DrawnFaceTest,
                         ::testing::Values(DrawnFaceRow{u"SimSun", L"SimSun"}, DrawnFaceRow{u"无此字体", L"宋体"}));

}  // namespace
}  // namespace quellbrook::win32
