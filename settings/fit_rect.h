// The largest rectangle of a picture's aspect ratio that fits in a box: one
// rule, in floating point for drawing and in whole pixels for scaling.
#pragma once

#include <cstdint>

struct FloatRect {
  float x = 0;
  float y = 0;
  float width = 0;
  float height = 0;
};

// Touches two opposite sides of `box` and is centred between the other two.
// A picture without a size gives an empty rectangle at the box's centre.
FloatRect FitRect(const FloatRect& box, std::int32_t pictureWidth, std::int32_t pictureHeight);

struct FitSize {
  int width = 0;
  int height = 0;
};

// The largest size of a w x h picture that fits inside W x H with its aspect
// kept, truncating; larger or smaller than the picture alike. A picture with
// no width or height yields a zero size.
FitSize FitInside(int W, int H, int w, int h);

// a * b / c in 64 bits, truncated: a huge photo times a large target still
// fits.
int MulDivTruncate(int a, int b, int c);
