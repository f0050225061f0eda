#include "back_buffer.h"

namespace {

int BitsPerPixel(int pixelFormat) { return static_cast<int>(Gdiplus::GetPixelFormatSize(pixelFormat)); }

}  // namespace

void BackBuffer_CL::Release() {
  bitmap_.reset();
  if (dc_ && oldBitmap_) SelectObject(dc_.Get(), oldBitmap_);
  oldBitmap_ = NULL;
  dc_.Reset();
  section_.Reset();
  width_ = 0;
  height_ = 0;
}

void BackBuffer_CL::EnsureSize(int width, int height) {
  if (bitmap_ && width_ == width && height_ == height) return;
  // The old buffer goes first: two full-screen buffers at once may not fit.
  Release();
  if (width <= 0 || height <= 0) return;
  const int bits = BitsPerPixel(pixelFormat_);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, as GDI+ lays rows out
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bits);
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  UniqueBitmap section(CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &pixels, NULL, 0));
  UniqueMemoryDc dc(CreateCompatibleDC(NULL));
  if (!section || !pixels || !dc) return;
  const int stride = (width * bits / 8 + 3) & ~3;
  BitmapPtr view(new Gdiplus::Bitmap(width, height, stride, pixelFormat_, static_cast<BYTE*>(pixels)));
  if (!view || view->GetLastStatus() != Gdiplus::Ok) return;
  oldBitmap_ = SelectObject(dc.Get(), section.Get());
  section_ = std::move(section);
  dc_ = std::move(dc);
  bitmap_ = std::move(view);
  width_ = width;
  height_ = height;
}

void BackBuffer_CL::CopyTo(HDC target, int x, int y) const {
  if (!dc_ || !target) return;
  GdiFlush();
  BitBlt(target, x, y, width_, height_, dc_.Get(), 0, 0, SRCCOPY);
}
