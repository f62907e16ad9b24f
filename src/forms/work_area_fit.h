#pragma once
// Where a window at a fixed position goes when that position would put part of
// it outside the monitor's work area (under the taskbar, say, at 200 % on a
// 1920 × 1080 screen): it moves just enough to fit and no further.

namespace quellbrook {

// Device pixels; right and bottom lie just outside, as in a Win32 RECT.
struct PixelRect {
  int left;
  int top;
  int right;
  int bottom;

  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// `window` moved by the smallest distance that keeps it inside `workArea`;
// unmoved when it fits. A window larger than the work area keeps its top-left
// corner inside, so that its title bar can still be reached.
PixelRect FitIntoWorkArea(const PixelRect& window, const PixelRect& workArea);

}  // namespace quellbrook
