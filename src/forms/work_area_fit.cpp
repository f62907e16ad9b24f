#include "forms/work_area_fit.h"

namespace quellbrook {
namespace {

// The move along one axis: back from the far edge first, then forward to the
// near edge, which wins when the window is longer than the work area.
int Shift(int low, int high, int areaLow, int areaHigh) {
  int shift = 0;
  if (high > areaHigh) shift = areaHigh - high;
  if (low + shift < areaLow) shift = areaLow - low;
  return shift;
}

}  // namespace

PixelRect FitIntoWorkArea(const PixelRect& window, const PixelRect& workArea) {
  const int dx = Shift(window.left, window.right, workArea.left, workArea.right);
  const int dy = Shift(window.top, window.bottom, workArea.top, workArea.bottom);
  return {window.left + dx, window.top + dy, window.right + dx, window.bottom + dy};
}

}  // namespace quellbrook
