#include "fit_rect.h"

namespace {

// A portrait fills the height, anything else the width; the other side is
// then cut back to the box when it overflows. scale(side, a, b) is side * a / b
// in the caller's arithmetic.
template <typename T, typename Scale>
void FitAspect(T boxWidth, T boxHeight, T a, T b, Scale scale, T* width, T* height) {
  if (a < b) {
    *height = boxHeight;
    *width = scale(boxHeight, a, b);
    if (boxWidth < *width) {
      *width = boxWidth;
      *height = scale(boxWidth, b, a);
    }
  } else {
    *width = boxWidth;
    *height = scale(boxWidth, b, a);
    if (boxHeight < *height) {
      *height = boxHeight;
      *width = scale(boxHeight, a, b);
    }
  }
}

}  // namespace

FloatRect FitRect(const FloatRect& box, std::int32_t pictureWidth, std::int32_t pictureHeight) {
  FloatRect fit;
  if (pictureWidth <= 0 || pictureHeight <= 0) {
    // Nothing to fit: a division by zero would give infinities or NaN.
    fit.x = box.width * 0.5f + box.x;
    fit.y = box.height * 0.5f + box.y;
    return fit;
  }
  FitAspect(box.width, box.height, static_cast<float>(pictureWidth), static_cast<float>(pictureHeight),
            [](float side, float a, float b) { return a * side / b; }, &fit.width, &fit.height);
  fit.x = (box.width - fit.width) * 0.5f + box.x;
  fit.y = (box.height - fit.height) * 0.5f + box.y;
  return fit;
}

FitSize FitInside(int W, int H, int w, int h) {
  FitSize s;
  if (w <= 0 || h <= 0) return s;
  FitAspect(W, H, w, h, [](int side, int a, int b) { return MulDivTruncate(side, a, b); }, &s.width,
            &s.height);
  return s;
}

int MulDivTruncate(int a, int b, int c) {
  return static_cast<int>(static_cast<std::int64_t>(a) * b / c);
}
