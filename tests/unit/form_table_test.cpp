// Consistency of the window tables that both the Win32 layer and the test
// substitutes build their controls from.

#include <gtest/gtest.h>

#include <set>

#include "app/form1.h"
#include "forms/font_face.h"
#include "hosts/form3.h"
#include "support/caption_room.h"
#include "support/control_row.h"
#include "tweaks/form2.h"

namespace quellbrook {
namespace {

class FormTableTest : public ::testing::TestWithParam<const FormTable*> {};

TEST_P(FormTableTest, ControlIdsAndTabIndexesAreUniqueAndFollowTheNamingScheme) {
  std::set<int> ids;
  std::set<int> tabIndexes;
  for (const ControlRow& control : GetParam()->controls) {
    EXPECT_TRUE(ids.insert(ToInt(control.id)).second) << "duplicate id " << ToInt(control.id);
    EXPECT_TRUE(tabIndexes.insert(control.tabIndex).second) << "duplicate tab index " << control.tabIndex;
    const int family = ToInt(control.id) / 1000;
    switch (control.kind) {
      case ControlKind::kCommandButton: EXPECT_EQ(family, 1) << ToInt(control.id); break;
      case ControlKind::kCheckBox: EXPECT_EQ(family, 2) << ToInt(control.id); break;
      case ControlKind::kTextBox: EXPECT_EQ(family, 3) << ToInt(control.id); break;
      case ControlKind::kFrame: EXPECT_EQ(family, 4) << ToInt(control.id); break;
    }
  }
}

TEST_P(FormTableTest, EveryContainerIsAFrameListedBeforeTheControlsItHolds) {
  std::set<int> framesSoFar;
  for (const ControlRow& control : GetParam()->controls) {
    if (control.kind == ControlKind::kFrame) {
      EXPECT_EQ(control.container, kFormClientArea);
      framesSoFar.insert(ToInt(control.id));
    } else if (control.container != kFormClientArea) {
      EXPECT_TRUE(framesSoFar.contains(ToInt(control.container))) << ToInt(control.id);
    }
  }
}

TEST_P(FormTableTest, ControlsInsideFramesFitTheirFrame) {
  const FormTable& form = *GetParam();
  for (const ControlRow& control : form.controls) {
    if (control.container == kFormClientArea) continue;
    const ControlRow* frame = test_support::FindControl(form, control.container);
    ASSERT_NE(frame, nullptr);
    EXPECT_LE(control.rect.left + control.rect.width, frame->rect.width) << ToInt(control.id);
    EXPECT_LE(control.rect.top + control.rect.height, frame->rect.height) << ToInt(control.id);
  }
}

// SimSun and SimHei metrics: what Windows users see, whatever a stand-in face
// under Wine draws. Each caption is checked in its table's face and in the
// face drawn where that one is missing.
TEST_P(FormTableTest, EveryCaptionFitsItsControlAtEveryDpiInEveryFaceItMayBeDrawnIn) {
  const FormTable& form = *GetParam();
  for (unsigned dpi : {96U, 120U, 144U, 192U}) {
    for (const ControlRow& row : form.controls) {
      if (row.kind == ControlKind::kTextBox) continue;
      const FontChoice& choice = row.font != nullptr ? *row.font : form.defaultFont;
      for (const FontChoice& font : {choice, WithInstalledFace(choice, u"")}) {
        const PixelSize text = CaptionSize(row.caption, EmPixels(font, dpi));
        const PixelSize room = CaptionRoom(form, row, dpi);
        EXPECT_LE(text.width, room.width) << ToInt(row.id) << " at " << dpi << " DPI";
        EXPECT_LE(text.height, room.height) << ToInt(row.id) << " at " << dpi << " DPI";
      }
    }
  }
}

struct FaceRow {
  std::u16string_view installedName;
  std::u16string_view drawnFace;
};

class InstalledFace : public ::testing::TestWithParam<FaceRow> {};

TEST_P(InstalledFace, KeepsTheSizeAndTakesTheInstalledNameOrSimSun) {
  constexpr FontChoice kHei{u"黑体", 75, 400, 134};
  const FontChoice drawn = WithInstalledFace(kHei, GetParam().installedName);
  EXPECT_TRUE(drawn.face == GetParam().drawnFace);
  EXPECT_EQ(EmPixels(drawn, 144), EmPixels(kHei, 144));
  EXPECT_EQ(drawn.weight, kHei.weight);
  EXPECT_EQ(drawn.charset, kHei.charset);
}

INSTANTIATE_TEST_SUITE_P(Rows, InstalledFace,
                         ::testing::Values(FaceRow{u"黑体", u"黑体"}, FaceRow{u"SimHei", u"SimHei"},
                                           FaceRow{u"", u"宋体"}));

TEST(CaptionRoom, CountsHalfAnEmPerAsciiCharacterAndLeavesOutEachControlsOwnParts) {
  EXPECT_EQ(CaptionSize(u"HOSTS迷你", 10).width, 5 * 5 + 2 * 10);
  EXPECT_EQ(CaptionSize(u"IP", 15).width, 2 * 8);
  constexpr ControlRow kRows[] = {
      {Frame(1), ControlKind::kFrame, kFormClientArea, u"框", {0, 0, 1500, 1500}, 0},
      {Check(1), ControlKind::kCheckBox, Frame(1), u"勾", {0, 300, 1500, 180}, 1},
      {Command(1), ControlKind::kCommandButton, kFormClientArea, u"钮", {0, 0, 1500, 300}, 2},
  };
  const FormTable form{u"", 3000, 3000, std::nullopt, BorderStyle::kFixedSingle, kForm1Table.defaultFont, {}, kRows};
  // 100 pixels at 96 DPI, 200 at 192; the default 9-point face is 12 and 24 pixels high.
  EXPECT_EQ(CaptionRoom(form, kRows[0], 96).width, 100 - 2 * 10);
  EXPECT_EQ(CaptionRoom(form, kRows[0], 192).height, 40);
  EXPECT_EQ(CaptionRoom(form, kRows[1], 96).width, 100 - 13 - 3);
  EXPECT_EQ(CaptionRoom(form, kRows[1], 192).width, 200 - 26 - 6);
  EXPECT_EQ(CaptionRoom(form, kRows[2], 144).height, 30 - 2 * 3);
}

INSTANTIATE_TEST_SUITE_P(AllWindows, FormTableTest, ::testing::Values(&kForm1Table, &kForm2Table, &kForm3Table));

}  // namespace
}  // namespace quellbrook
