// A real, decodable 8 x 8 grey JPEG with an Exif APP1 in front, built from
// bytes, so the tool's tests need no image library and no sample files.
#pragma once

#include <cstdint>

#include "test_files.h"

struct TinyJpeg {
  Bytes bytes;
  std::uint32_t valueAt = 0;  // file offset of the Orientation value field; 0 without one
};

// IFD0 holds an ImageDescription (its text behind the IFD) and, when
// orientation is not negative, a SHORT Orientation with that value.
TinyJpeg MakeTinyJpeg(bool bigEndian, int orientation);

// The same picture without any Exif segment (a JFIF file).
Bytes PlainTinyJpeg();
