// The pixel formats the program works in, as GDI+ numbers them.
#pragma once

enum : int {
  // Thumbnails, decoded and placeholders: half the memory of 32-bit pixels.
  kThumbnailPixelFormat = 0x21006,      // PixelFormat16bppRGB565
  kListBackBufferPixelFormat = 0x21808,  // PixelFormat24bppRGB
  kPreviewBackBufferPixelFormat = 0x22009,  // PixelFormat32bppRGB
  // Preview bitmaps built by FitBitmap and OrientedCopy.
  kPreviewPixelFormat = 0x26200A,  // PixelFormat32bppARGB
};
