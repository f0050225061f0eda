#include "thumbnail_rule.h"

#include "fit_rect.h"

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

bool EmbeddedPictureRect(int w, int h, int tw, int th, DrawRect* rect, bool* banded) {
  if (w <= 0 || h <= 0 || tw <= 0 || th <= 0) return false;
  // Compared as products, so no side is divided by before it is known to be
  // positive and nothing overflows 32 bits.
  const double photo = static_cast<double>(w) * th;  // photo aspect x tw x th
  const double thumb = static_cast<double>(tw) * h;  // thumbnail aspect x tw x th
  rect->x = 0;
  rect->y = 0;
  rect->width = tw;
  rect->height = th;
  *banded = false;
  const double difference = photo > thumb ? photo / thumb - 1.0 : thumb / photo - 1.0;
  if (difference <= kEmbeddedAspectTolerance) return true;
  *banded = true;
  if (photo > thumb) {
    // A wider photo: bands above and below.
    rect->height = static_cast<int>(static_cast<long long>(tw) * h / w);
    if (rect->height <= 0) return false;
    rect->y = (th - rect->height) / 2;
  } else {
    rect->width = static_cast<int>(static_cast<long long>(th) * w / h);
    if (rect->width <= 0) return false;
    rect->x = (tw - rect->width) / 2;
  }
  return true;
}
