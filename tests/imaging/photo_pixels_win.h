// Pictures made and looked at with GDI+, for the imaging tests.
#pragma once

#include <cstdint>
#include <string>

#include "gdiplus_types.h"
#include "test_files.h"

struct Rgb {
  int r, g, b;
};
// Far apart, so JPEG's losses cannot turn one into another; in the order
// top left, top right, bottom left, bottom right.
const Rgb kQuadrantColours[4] = {{230, 20, 20}, {20, 200, 20}, {20, 20, 230}, {240, 240, 240}};
const Rgb kBlack = {0, 0, 0};
const Rgb kWhite = {255, 255, 255};

// A w x h picture: kQuadrantColours in its quadrants, or one colour.
BitmapPtr QuadrantPicture(int w, int h);
BitmapPtr SolidPicture(int w, int h, Rgb colour);
// GDI+'s JPEG of the picture as its encoder writes it.
Bytes EncodeJpeg(Gdiplus::Bitmap* picture);
// The picture in another format GDI+ writes ("image/png", "image/bmp").
Bytes EncodePicture(Gdiplus::Bitmap* picture, const wchar_t* mimeType);
// GDI+'s JPEG of the picture, with an Exif APP1 holding only the Orientation
// in place of the encoder's own application segments.
Bytes JpegWithOrientation(Gdiplus::Bitmap* picture, std::uint16_t orientation, bool bigEndian = false);
// A raw file built on TIFF: IFD0 holds the Orientation and names an embedded
// JPEG preview of the picture, whose own Exif block says 1.
Bytes RawWithPreview(Gdiplus::Bitmap* picture, std::uint16_t orientation);
// An uncompressed RGB TIFF of the picture with this Orientation.
Bytes TiffWithOrientation(Gdiplus::Bitmap* picture, std::uint16_t orientation);
// GDI+'s PNG of the picture with an eXIf chunk holding the Orientation.
Bytes PngWithOrientation(Gdiplus::Bitmap* picture, std::uint16_t orientation);

Rgb PixelAt(Gdiplus::Bitmap* bitmap, int x, int y);
// Each channel within tolerance.
bool Near(const Rgb& a, const Rgb& b, int tolerance = 48);
std::string Describe(const Rgb& c);

// Samples the middle of each quadrant of the area (x, y, w, h) of bitmap and
// expects the colour that QuadrantPicture made upright has there; records a
// failure naming what otherwise.
void ExpectUpright(Gdiplus::Bitmap* bitmap, int orientation, int x, int y, int w, int h, const char* what);
