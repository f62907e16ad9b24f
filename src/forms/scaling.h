#pragma once
// The one scaling rule of every window, box and frame: twips, 96-DPI pixels
// and points turned into device pixels at a DPI, rounded as Windows' MulDiv
// rounds. The tables are checked with the same rule the windows are drawn with.

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

}  // namespace quellbrook
