#include "draw_pixels.h"

#include <cstddef>

namespace {

// A BITMAPINFO with room for the three masks of a 16-bit 565 picture.
struct DibHeader {
  BITMAPINFOHEADER header;
  DWORD masks[3];
};

// The format the pixels are read in: the picture's own where GDI takes it
// as it is, so that reading them is no copy; 32 bits otherwise.
Gdiplus::PixelFormat ReadFormat(Gdiplus::PixelFormat own) {
  switch (own) {
    case PixelFormat16bppRGB565:
    case PixelFormat24bppRGB:
    case PixelFormat32bppRGB:
    case PixelFormat32bppARGB:
    case PixelFormat32bppPARGB:
      return own;
    default:
      return PixelFormat32bppARGB;
  }
}

}  // namespace

bool DrawPixels(HDC dc, Gdiplus::Bitmap* picture, int x, int y, int width, int height) {
  if (!dc || !picture || width <= 0 || height <= 0) return false;
  const int w = static_cast<int>(picture->GetWidth());
  const int h = static_cast<int>(picture->GetHeight());
  if (w <= 0 || h <= 0) return false;
  const Gdiplus::PixelFormat format = ReadFormat(picture->GetPixelFormat());
  Gdiplus::Rect all(0, 0, w, h);
  Gdiplus::BitmapData data = {};
  if (picture->LockBits(&all, Gdiplus::ImageLockModeRead, format, &data) != Gdiplus::Ok) return false;
  DibHeader info = {};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(Gdiplus::GetPixelFormatSize(format));
  info.header.biCompression = BI_RGB;
  if (format == PixelFormat16bppRGB565) {
    info.header.biCompression = BI_BITFIELDS;
    info.masks[0] = 0xF800;
    info.masks[1] = 0x07E0;
    info.masks[2] = 0x001F;
  }
  // GDI reads rows of its own width, padded to four bytes; GDI+'s stride
  // says where its rows start, which for these formats is the same.
  const int bytesPerPixel = info.header.biBitCount / 8;
  const int gdiStride = (w * bytesPerPixel + 3) & ~3;
  const int stride = data.Stride < 0 ? -data.Stride : data.Stride;
  bool drawn = false;
  if (stride == gdiStride) {
    info.header.biWidth = w;
    // Top-down when the rows run forwards in memory.
    const BYTE* first = static_cast<const BYTE*>(data.Scan0);
    if (data.Stride > 0) {
      info.header.biHeight = -h;
    } else {
      info.header.biHeight = h;
      first += static_cast<std::ptrdiff_t>(data.Stride) * (h - 1);
    }
    const BITMAPINFO* header = reinterpret_cast<const BITMAPINFO*>(&info);
    // Pixel for pixel nothing is resampled; HALFTONE averages when the
    // sizes differ (its brush origin must be set with it).
    const bool scaled = width != w || height != h;
    int oldMode = 0;
    POINT oldOrigin = {0, 0};
    if (scaled) {
      oldMode = SetStretchBltMode(dc, HALFTONE);
      SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    }
    drawn = StretchDIBits(dc, x, y, width, height, 0, 0, w, h, first, header, DIB_RGB_COLORS, SRCCOPY) !=
            static_cast<int>(GDI_ERROR);
    if (scaled) {
      SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, NULL);
      SetStretchBltMode(dc, oldMode);
    }
  }
  picture->UnlockBits(&data);
  return drawn;
}
