#pragma once
// How big a caption is and how much room its control leaves for it, in device
// pixels at a given DPI. SimSun and SimHei, the faces the tables name, draw
// every Chinese character one em wide and every ASCII character half an em,
// and their line is one em high; the control's own parts (a button's edge, a
// check box's box, a frame's inset) take the rest. The Win32 layer draws frame
// captions with the same insets, so the numbers here are the numbers on screen.

#include <string_view>

#include "forms/form_table.h"

namespace quellbrook {

// Scales like Windows' MulDiv: rounded to the nearest, halves away from zero.
constexpr int ScaleRounded(int value, int numerator, int denominator) {
  long long product = static_cast<long long>(value) * numerator;
  long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

inline constexpr unsigned kStandardDpi = 96;

constexpr int TwipsToPixels(int twips, unsigned dpi) { return ScaleRounded(twips, static_cast<int>(dpi), 1440); }
constexpr int ScaleFrom96Dpi(int pixels, unsigned dpi) {
  return ScaleRounded(pixels, static_cast<int>(dpi), static_cast<int>(kStandardDpi));
}
// The em of `font` at `dpi`: the character height a font is asked for.
constexpr int EmPixels(const FontChoice& font, unsigned dpi) {
  return ScaleRounded(font.tenthsOfPoint, static_cast<int>(dpi), 720);
}

// A frame's caption starts this far (96-DPI pixels) from the frame's left edge
// and keeps a gap on either side from the line it interrupts.
inline constexpr int kFrameCaptionInset = 8;
inline constexpr int kFrameCaptionGap = 2;
// A push button's raised edge, per side, in 96-DPI pixels.
inline constexpr int kButtonEdge = 2;
// The box of a check box, in 96-DPI pixels.
inline constexpr int kCheckBoxGlyph = 13;

struct PixelSize {
  int width;
  int height;
};

// The caption's size on one line in a SimSun or SimHei font of `em` pixels.
PixelSize CaptionSize(std::u16string_view caption, int em);

// The room `row` of `form` leaves for its caption at `dpi`. A frame's height is
// the band above its first child.
PixelSize CaptionRoom(const FormTable& form, const ControlRow& row, unsigned dpi);

}  // namespace quellbrook
