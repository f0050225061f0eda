// An off-screen bitmap that is made again only when its size changes.
#pragma once

#include "gdiplus_types.h"

class BackBuffer_CL {
 public:
  explicit BackBuffer_CL(int pixelFormat) : pixelFormat_(pixelFormat) {}
  virtual ~BackBuffer_CL() {}
  BackBuffer_CL(const BackBuffer_CL&) = delete;
  BackBuffer_CL& operator=(const BackBuffer_CL&) = delete;

  // Keeps the bitmap when it already has this size; otherwise replaces it
  // with a new one (null when it cannot be allocated or the size is empty).
  void EnsureSize(int width, int height);

  // Null until sized, or after a failed EnsureSize.
  Gdiplus::Bitmap* Bitmap() const { return bitmap_.get(); }
  int PixelFormat() const { return pixelFormat_; }

 private:
  int pixelFormat_;
  BitmapPtr bitmap_;
};
