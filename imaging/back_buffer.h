// An off-screen picture that is made again only when its size changes: a
// DIB section in a memory device context, so that GDI draws into it and
// BitBlt puts it on the screen, with a GDI+ bitmap over the same pixels for
// what only GDI+ draws (text, translucent fills).
#pragma once

#include <windows.h>

#include "gdiplus_types.h"
#include "win_handles.h"

class BackBuffer_CL {
 public:
  explicit BackBuffer_CL(int pixelFormat) : pixelFormat_(pixelFormat) {}
  virtual ~BackBuffer_CL() {}
  BackBuffer_CL(const BackBuffer_CL&) = delete;
  BackBuffer_CL& operator=(const BackBuffer_CL&) = delete;

  // Keeps the buffer when it already has this size; otherwise replaces it
  // with a new one (none when it cannot be allocated or the size is empty).
  void EnsureSize(int width, int height);

  // The memory device context the buffer is selected into; null until
  // sized, or after a failed EnsureSize.
  HDC Dc() const { return dc_.Get(); }
  // GDI+'s view of the same pixels; null exactly when Dc is.
  Gdiplus::Bitmap* Bitmap() const { return bitmap_.get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int PixelFormat() const { return pixelFormat_; }
  // The whole buffer to target at x, y, once what GDI+ drew is flushed.
  void CopyTo(HDC target, int x, int y) const;

 private:
  void Release();

  int pixelFormat_;
  int width_ = 0;
  int height_ = 0;
  // Destroyed in reverse: GDI+'s view first, then the context (which lets
  // go of the section), then the section.
  UniqueBitmap section_;
  UniqueMemoryDc dc_;
  HGDIOBJ oldBitmap_ = NULL;
  BitmapPtr bitmap_;
};
