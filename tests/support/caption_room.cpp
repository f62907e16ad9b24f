#include "caption_room.h"

#include <algorithm>

namespace quellbrook {

PixelSize CaptionSize(std::u16string_view caption, int em) {
  // An odd em rounds the half-width characters up: the test of room is
  // better too strict than too lenient.
  const int halfEm = (em + 1) / 2;
  int width = 0;
  for (char16_t unit : caption) width += unit < 0x80 ? halfEm : em;
  return {width, caption.empty() ? 0 : em};
}

PixelSize CaptionRoom(const FormTable& form, const ControlRow& row, unsigned dpi) {
  const int width = TwipsToPixels(row.rect.width, dpi);
  const int height = TwipsToPixels(row.rect.height, dpi);
  switch (row.kind) {
    case ControlKind::kCommandButton: {
      const int edge = ScaleFrom96Dpi(kButtonEdge, dpi);
      return {width - 2 * edge, height - 2 * edge};
    }
    case ControlKind::kCheckBox: {
      // The text starts a quarter em after the box, as the system draws it.
      const int em = EmPixels(row.font != nullptr ? *row.font : form.defaultFont, dpi);
      return {width - ScaleFrom96Dpi(kCheckBoxGlyph, dpi) - (em + 3) / 4, height};
    }
    case ControlKind::kFrame: {
      int band = height;
      for (const ControlRow& child : form.controls) {
        if (child.container == row.id) band = std::min(band, TwipsToPixels(child.rect.top, dpi));
      }
      return {width - 2 * ScaleFrom96Dpi(kFrameCaptionInset + kFrameCaptionGap, dpi), band};
    }
    case ControlKind::kTextBox:
      break;
  }
  return {width, height};
}

}  // namespace quellbrook
