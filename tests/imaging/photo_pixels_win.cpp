#include "photo_pixels_win.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "jpeg_builder.h"
#include "tiff_builder.h"
#include "orientation_model.h"

#include <gtest/gtest.h>

namespace {

bool EncoderFor(const wchar_t* mimeType, CLSID* clsid) {
  UINT count = 0, size = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
  std::vector<unsigned char> buffer(size);
  Gdiplus::ImageCodecInfo* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring(codecs[i].MimeType) == mimeType) {
      *clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

Bytes EncodeJpeg(Gdiplus::Bitmap* picture) { return EncodePicture(picture, L"image/jpeg"); }

Bytes EncodePicture(Gdiplus::Bitmap* picture, const wchar_t* mimeType) {
  Bytes bytes;
  CLSID clsid;
  IStream* stream = nullptr;
  if (!EncoderFor(mimeType, &clsid) || FAILED(CreateStreamOnHGlobal(NULL, TRUE, &stream))) return bytes;
  STATSTG stat;
  LARGE_INTEGER zero;
  zero.QuadPart = 0;
  ULONG got = 0;
  if (picture->Save(stream, &clsid, NULL) == Gdiplus::Ok && SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)) &&
      SUCCEEDED(stream->Seek(zero, STREAM_SEEK_SET, NULL))) {
    bytes.resize(static_cast<std::size_t>(stat.cbSize.QuadPart));
    if (FAILED(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &got)) || got != bytes.size()) {
      bytes.clear();
    }
  }
  stream->Release();
  return bytes;
}

namespace {

void Fill(Gdiplus::Graphics& g, Rgb c, int x, int y, int w, int h) {
  Gdiplus::SolidBrush brush(Gdiplus::Color(255, static_cast<BYTE>(c.r), static_cast<BYTE>(c.g), static_cast<BYTE>(c.b)));
  g.FillRectangle(&brush, x, y, w, h);
}

}  // namespace

BitmapPtr QuadrantPicture(int w, int h) {
  BitmapPtr picture(new Gdiplus::Bitmap(w, h, PixelFormat32bppARGB));
  Gdiplus::Graphics g(picture.get());
  Fill(g, kQuadrantColours[0], 0, 0, w / 2, h / 2);
  Fill(g, kQuadrantColours[1], w / 2, 0, w - w / 2, h / 2);
  Fill(g, kQuadrantColours[2], 0, h / 2, w / 2, h - h / 2);
  Fill(g, kQuadrantColours[3], w / 2, h / 2, w - w / 2, h - h / 2);
  return picture;
}

BitmapPtr SolidPicture(int w, int h, Rgb colour) {
  BitmapPtr picture(new Gdiplus::Bitmap(w, h, PixelFormat32bppARGB));
  Gdiplus::Graphics g(picture.get());
  Fill(g, colour, 0, 0, w, h);
  return picture;
}

Bytes JpegWithOrientation(Gdiplus::Bitmap* picture, std::uint16_t orientation, bool bigEndian) {
  return WithExifOrientation(EncodeJpeg(picture), orientation, bigEndian);
}

Bytes RawWithPreview(Gdiplus::Bitmap* picture, std::uint16_t orientation) {
  const Bytes preview = JpegWithOrientation(picture, 1);
  const std::uint32_t previewAt = 8 + 2 + 3 * 12 + 4;
  Bytes raw = {'I', 'I', 42, 0, 8, 0, 0, 0, 3, 0};
  PutEntry(raw, TestEntry{274, 3, 1, orientation}, false);
  PutEntry(raw, TestEntry{513, 4, 1, previewAt}, false);
  PutEntry(raw, TestEntry{514, 4, 1, static_cast<std::uint32_t>(preview.size())}, false);
  Put32(raw, 0, false);
  raw.insert(raw.end(), preview.begin(), preview.end());
  return raw;
}

Bytes TiffWithOrientation(Gdiplus::Bitmap* picture, std::uint16_t orientation) {
  const std::uint32_t w = picture->GetWidth(), h = picture->GetHeight();
  const std::uint32_t bitsAt = 8 + 2 + 10 * 12 + 4, dataAt = bitsAt + 6;
  Bytes tiff = {'I', 'I', 42, 0, 8, 0, 0, 0, 10, 0};
  const TestEntry entries[] = {{256, 4, 1, w},      {257, 4, 1, h},      {258, 3, 3, bitsAt},
                               {259, 3, 1, 1},      {262, 3, 1, 2},      {273, 4, 1, dataAt},
                               {274, 3, 1, orientation}, {277, 3, 1, 3}, {278, 4, 1, h},
                               {279, 4, 1, w * h * 3}};
  for (const TestEntry& e : entries) PutEntry(tiff, e, false);
  Put32(tiff, 0, false);
  for (int i = 0; i < 3; ++i) Put16(tiff, 8, false);
  for (std::uint32_t y = 0; y < h; ++y) {
    for (std::uint32_t x = 0; x < w; ++x) {
      const Rgb c = PixelAt(picture, static_cast<int>(x), static_cast<int>(y));
      tiff.push_back(static_cast<unsigned char>(c.r));
      tiff.push_back(static_cast<unsigned char>(c.g));
      tiff.push_back(static_cast<unsigned char>(c.b));
    }
  }
  return tiff;
}

Bytes PngWithOrientation(Gdiplus::Bitmap* picture, std::uint16_t orientation) {
  Bytes png = EncodePicture(picture, L"image/png");
  // After the signature and IHDR, as the chunk's rules ask.
  const std::size_t at = 8 + 25;
  const Bytes exif = TiffStructure(true, {TestEntry{274, 3, 1, orientation}});
  Bytes chunk;
  Put32(chunk, static_cast<std::uint32_t>(exif.size()), true);
  chunk.insert(chunk.end(), {'e', 'X', 'I', 'f'});
  chunk.insert(chunk.end(), exif.begin(), exif.end());
  Put32(chunk, ReferenceCrc32(&chunk[4], exif.size() + 4), true);
  png.insert(png.begin() + static_cast<std::ptrdiff_t>(at), chunk.begin(), chunk.end());
  return png;
}

Rgb PixelAt(Gdiplus::Bitmap* bitmap, int x, int y) {
  Gdiplus::Color c;
  if (bitmap->GetPixel(x, y, &c) != Gdiplus::Ok) return Rgb{-1000, -1000, -1000};
  return Rgb{c.GetR(), c.GetG(), c.GetB()};
}

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

std::string Describe(const Rgb& c) {
  char text[48];
  std::snprintf(text, sizeof text, "(%d, %d, %d)", c.r, c.g, c.b);
  return text;
}

// Samples the middle of each quadrant of the area (x, y, w, h) and expects
// the colour the upright picture has there.
void ExpectUpright(Gdiplus::Bitmap* bitmap, int orientation, int x, int y, int w, int h, const char* what) {
  for (int stored = kTopLeft; stored <= kBottomRight; ++stored) {
    const Corner shown = UprightCorner(orientation, static_cast<Corner>(stored));
    const int px = x + (IsRight(shown) ? 3 * w / 4 : w / 4);
    const int py = y + (IsBottom(shown) ? 3 * h / 4 : h / 4);
    const Rgb got = PixelAt(bitmap, px, py);
    EXPECT_TRUE(Near(got, kQuadrantColours[stored]))
        << what << ", orientation " << orientation << ": at (" << px << ", " << py << ") " << Describe(got)
        << ", expected " << Describe(kQuadrantColours[stored]);
  }
}

