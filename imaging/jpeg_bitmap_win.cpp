#include "jpeg_bitmap.h"

#include <cstring>

#include "bitmap_builders.h"

BitmapPtr BitmapFromPixels(const UprightPixels& pixels) {
  const std::size_t rowBytes = static_cast<std::size_t>(pixels.width) * 4u;
  if (pixels.width <= 0 || pixels.height <= 0 || pixels.bgra.size() < rowBytes * static_cast<std::size_t>(pixels.height)) {
    return BitmapPtr();
  }
  BitmapPtr bitmap = CreateBitmap(pixels.width, pixels.height, kPreviewPixelFormat);
  if (!bitmap) return bitmap;
  Gdiplus::Rect all(0, 0, pixels.width, pixels.height);
  Gdiplus::BitmapData data;
  if (bitmap->LockBits(&all, Gdiplus::ImageLockModeWrite, kPreviewPixelFormat, &data) != Gdiplus::Ok) {
    return BitmapPtr();
  }
  for (int y = 0; y < pixels.height; ++y) {
    unsigned char* row = static_cast<unsigned char*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride;
    std::memcpy(row, pixels.bgra.data() + rowBytes * static_cast<std::size_t>(y), rowBytes);
  }
  bitmap->UnlockBits(&data);
  return bitmap;
}

BitmapPtr DecodeJpegBitmap(const unsigned char* bytes, std::size_t size, int orientation,
                           const JpegTarget& target, JpegOutcome_EN* outcome) {
  UprightPixels pixels;
  *outcome = DecodeJpegUpright(bytes, size, orientation, target, &pixels);
  if (*outcome != JpegOutcome_EN::kDecoded) return BitmapPtr();
  BitmapPtr bitmap = BitmapFromPixels(pixels);
  if (!bitmap) *outcome = JpegOutcome_EN::kOutOfMemory;
  return bitmap;
}
