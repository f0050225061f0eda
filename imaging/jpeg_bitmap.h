// libjpeg-turbo's upright pixels as GDI+ bitmaps, for the thumbnails, the
// quick pictures and the preview.
#pragma once

#include <cstddef>

#include "gdiplus_types.h"
#include "jpeg_decode.h"

// The pixels in a new 32-bit ARGB bitmap of their size; null when it cannot
// be allocated or there are no pixels.
BitmapPtr BitmapFromPixels(const UprightPixels& pixels);

// A JPEG file held in memory, decoded by libjpeg-turbo at the scale target
// needs and made upright by orientation. Null when libjpeg-turbo refuses the
// file (outcome says why: only a file it does not accept may go to GDI+) or
// the bitmap cannot be made (outcome kOutOfMemory).
BitmapPtr DecodeJpegBitmap(const unsigned char* bytes, std::size_t size, int orientation,
                           const JpegTarget& target, JpegOutcome_EN* outcome);
