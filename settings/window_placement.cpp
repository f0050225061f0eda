#include "window_placement.h"

#include <algorithm>

#include "dpi_scale.h"

namespace {

// One axis: [low, high) moved and shrunk into [areaLow, areaHigh).
void FitAxis(int areaLow, int areaHigh, int low, int high, int* outLow, int* outHigh) {
  const int room = std::max(0, areaHigh - areaLow);
  const int length = std::min(std::max(0, high - low), room);
  const int start = std::max(areaLow, std::min(low, areaHigh - length));
  *outLow = start;
  *outHigh = start + length;
}

}  // namespace

ScreenRect FitInsideWorkArea(const ScreenRect& work, const ScreenRect& wanted) {
  ScreenRect fitted;
  FitAxis(work.left, work.right, wanted.left, wanted.right, &fitted.left, &fitted.right);
  FitAxis(work.top, work.bottom, wanted.top, wanted.bottom, &fitted.top, &fitted.bottom);
  return fitted;
}

ScreenRect CentredInWorkArea(const ScreenRect& work, int width, int height) {
  ScreenRect centred;
  // Halved as a whole, so that an odd remainder goes to the right and bottom.
  centred.left = work.left + (work.right - work.left - width) / 2;
  centred.top = work.top + (work.bottom - work.top - height) / 2;
  centred.right = centred.left + width;
  centred.bottom = centred.top + height;
  return FitInsideWorkArea(work, centred);
}

int MinimumWindowWidth(int dpi) { return ScaleForDpi(400, dpi); }
int MinimumWindowHeight(int dpi) { return ScaleForDpi(300, dpi); }
