#pragma once
// How big a caption is and how much room its control leaves for it, in device
// pixels at a given DPI. SimSun and SimHei, the faces the tables name, draw
// every Chinese character one em wide and every ASCII character half an em,
// and their line is one em high; the control's own parts (a button's edge, a
// check box's box, a frame's inset) take the rest. Frames draw their captions
// with the insets of forms/frame_caption.h, so the numbers here are the
// numbers on screen.

#include <string_view>

#include "forms/form_table.h"
#include "forms/frame_caption.h"
#include "forms/scaling.h"

namespace quellbrook {

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
