// caption_extents
//
// The captions of the three windows measured with the fonts this system draws
// them in, beside the size SimSun metrics give them and the room their control
// leaves, for every caption where the drawn size differs from SimSun's. On
// Windows the faces are SimSun and SimHei, whose metrics the unit tests check
// the tables with; under Wine stand-in faces draw them, so what they measure
// is a figure of the system, not a fact of the program. Prints figures;
// asserts nothing. Exit code 1 when the screen cannot be measured.

#include <windows.h>

#include <cstdio>
#include <string>

#include "app/form1.h"
#include "caption_room.h"
#include "hosts/form3.h"
#include "tweaks/form2.h"
#include "u16.h"
#include "win32/system/wide_text.h"
#include "win32/ui/device_context.h"
#include "win32/ui/dpi.h"
#include "win32/ui/installed_faces.h"

namespace quellbrook::win32 {
namespace {

using test_support::Utf8;

bool PrintCaptionExtents(const FormTable& form, HDC screen, UINT dpi) {
  std::printf("%s\n", Utf8(form.caption).c_str());
  for (const ControlRow& row : form.controls) {
    if (row.kind == ControlKind::kTextBox || row.caption.empty()) continue;
    const FontChoice& choice = row.font != nullptr ? *row.font : form.defaultFont;
    UniqueFont font = CreateFontForDpi(choice, dpi);
    SelectedObject selected(screen, font.Get());
    const std::wstring caption = ToWide(row.caption);
    SIZE drawn{};
    TEXTMETRICW metrics{};
    if (!::GetTextExtentPoint32W(screen, caption.c_str(), static_cast<int>(caption.size()), &drawn) ||
        !::GetTextMetricsW(screen, &metrics)) {
      return false;
    }
    const PixelSize expected = CaptionSize(row.caption, EmPixels(choice, dpi));
    const PixelSize room = CaptionRoom(form, row, dpi);
    if (drawn.cx != expected.width || metrics.tmHeight != expected.height) {
      wchar_t face[LF_FACESIZE] = {};
      ::GetTextFaceW(screen, LF_FACESIZE, face);
      std::printf("  %s (id %d) at %u DPI in %s: %ldx%ld drawn, %dx%d with SimSun metrics, room %dx%d%s\n",
                  Utf8(caption).c_str(), ToInt(row.id), dpi, Utf8(face).c_str(), drawn.cx, metrics.tmHeight,
                  expected.width, expected.height, room.width, room.height,
                  drawn.cx > room.width || metrics.tmHeight > room.height ? " (clipped by this face)" : "");
    }
  }
  return true;
}

int Run() {
  const UINT dpi = SystemDpi();
  WindowDc screen(nullptr);
  if (screen.Get() == nullptr) return 1;
  std::printf("this system lists 黑体 as \"%s\", 宋体 as \"%s\"\n",
              Utf8(InstalledFaceName(u"黑体")).c_str(), Utf8(InstalledFaceName(u"宋体")).c_str());
  for (const FormTable* form : {&kForm1Table, &kForm2Table, &kForm3Table}) {
    if (!PrintCaptionExtents(*form, screen.Get(), dpi)) return 1;
  }
  return 0;
}

}  // namespace
}  // namespace quellbrook::win32

int main() { return quellbrook::win32::Run(); }
