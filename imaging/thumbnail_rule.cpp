#include "thumbnail_rule.h"

#include <cstdint>

namespace {

// a * b / c in 64 bits: a huge photo times a large target still fits.
int MulDivTruncate(int a, int b, int c) {
  return static_cast<int>(static_cast<std::int64_t>(a) * b / c);
}

}  // namespace

bool ThumbnailRect(int W, int H, int w, int h, DrawRect* rect) {
  if (w <= 0 || h <= 0 || !rect) return false;
  DrawRect r;
  if (w < h) {
    r.height = H;
    r.width = MulDivTruncate(w, H, h);
  } else {
    r.width = W;
    r.height = MulDivTruncate(h, W, w);
  }
  // C++ division truncates towards zero, so an overflowing side is centred
  // the same way on both ends.
  r.x = (W - r.width) / 2;
  r.y = (H - r.height) / 2;
  *rect = r;
  return true;
}

FitSize FitInside(int W, int H, int w, int h) {
  FitSize s;
  if (w <= 0 || h <= 0) return s;
  if (w < h) {
    s.height = H;
    s.width = MulDivTruncate(H, w, h);
    if (s.width > W) {
      s.width = W;
      s.height = MulDivTruncate(W, h, w);
    }
  } else {
    s.width = W;
    s.height = MulDivTruncate(W, h, w);
    if (s.height > H) {
      s.height = H;
      s.width = MulDivTruncate(H, w, h);
    }
  }
  return s;
}
