#include "thumbnail_picture.h"

#include <algorithm>
#include <cstdint>

#include "bitmap_builders.h"
#include "pixel_formats.h"

namespace {

struct Bands {
  int rows = 0;     // black rows at the top and at the bottom alike
  int columns = 0;  // black columns at the left and at the right alike
};

bool Black(const std::uint8_t* pixel) { return pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0; }

bool RowBlack(const Gdiplus::BitmapData& data, int y) {
  const std::uint8_t* row = static_cast<const std::uint8_t*>(data.Scan0) + y * data.Stride;
  for (UINT x = 0; x < data.Width; ++x) {
    if (!Black(row + 3 * x)) return false;
  }
  return true;
}

bool ColumnBlack(const Gdiplus::BitmapData& data, int x) {
  const std::uint8_t* base = static_cast<const std::uint8_t*>(data.Scan0) + 3 * x;
  for (UINT y = 0; y < data.Height; ++y) {
    if (!Black(base + static_cast<int>(y) * data.Stride)) return false;
  }
  return true;
}

bool FindBands(Gdiplus::Bitmap* thumbnail, Bands* bands) {
  const int w = static_cast<int>(thumbnail->GetWidth());
  const int h = static_cast<int>(thumbnail->GetHeight());
  if (w <= 0 || h <= 0) return false;
  Gdiplus::Rect all(0, 0, w, h);
  Gdiplus::BitmapData data;
  if (thumbnail->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat24bppRGB, &data) != Gdiplus::Ok) {
    return false;
  }
  int top = 0;
  while (top < h && RowBlack(data, top)) ++top;
  int bottom = 0;
  while (bottom < h - top && RowBlack(data, h - 1 - bottom)) ++bottom;
  int left = 0;
  while (left < w && ColumnBlack(data, left)) ++left;
  int right = 0;
  while (right < w - left && ColumnBlack(data, w - 1 - right)) ++right;
  thumbnail->UnlockBits(&data);
  // An all-black thumbnail (a placeholder, a black photo) is kept whole.
  bands->rows = top >= h ? 0 : std::min(top, bottom);
  bands->columns = left >= w ? 0 : std::min(left, right);
  return true;
}

}  // namespace

BitmapPtr ThumbnailPicture(Gdiplus::Bitmap* thumbnail) {
  if (!thumbnail) return BitmapPtr();
  Bands bands;
  if (!FindBands(thumbnail, &bands)) return BitmapPtr();
  const int w = static_cast<int>(thumbnail->GetWidth()) - 2 * bands.columns;
  const int h = static_cast<int>(thumbnail->GetHeight()) - 2 * bands.rows;
  BitmapPtr picture = CreateBitmap(w, h, kPreviewPixelFormat);
  if (!picture) return picture;
  Gdiplus::Graphics graphics(picture.get());
  graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
  graphics.DrawImage(thumbnail, Gdiplus::Rect(0, 0, w, h), bands.columns, bands.rows, w, h,
                     Gdiplus::UnitPixel);
  return picture;
}

BitmapPtr TurnedThumbnail(Gdiplus::Bitmap* thumbnail, bool clockwise) {
  BitmapPtr picture = ThumbnailPicture(thumbnail);
  if (!picture) return picture;
  picture->RotateFlip(clockwise ? Gdiplus::Rotate90FlipNone : Gdiplus::Rotate270FlipNone);
  return RenderThumbnail(picture.get(), static_cast<int>(thumbnail->GetWidth()),
                         static_cast<int>(thumbnail->GetHeight()), thumbnail->GetPixelFormat());
}
