#pragma once
// Where a frame draws its caption, in 96-DPI pixels: this far from the frame's
// left edge, with a gap on either side from the line it interrupts.

namespace quellbrook {

inline constexpr int kFrameCaptionInset = 8;
inline constexpr int kFrameCaptionGap = 2;

}  // namespace quellbrook
