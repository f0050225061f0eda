// What the window shows of a photo that is not a JPEG: a raw file's largest
// embedded JPEG preview, turned by the raw file's own IFD0 Orientation (the
// value the turn writes), or the whole file for GDI+ (TIFF, PNG).
#pragma once

#include <cstdint>

#include "byte_source.h"
#include "photo_format.h"

struct EmbeddedJpeg {
  std::uint32_t offset = 0;  // from the start of the file
  std::uint32_t length = 0;
  int width = 0;  // as stored, from its frame header
  int height = 0;
};

// The largest JPEG that libjpeg-turbo decodes (baseline or progressive, not
// the lossless kind raw data is kept in) among those a TIFF-structured file
// names in IFD0, the IFDs chained after it and their SubIFDs
// (JPEGInterchangeFormat/Length; one strip with Compression 6 or 7; a
// Panasonic RW2's JpgFromRaw), or a CR3's PRVW and THMB boxes. Bounded reads
// only: the file is never read whole. False when there is none.
bool FindLargestEmbeddedJpeg(ByteSource_CL& source, PhotoFormat_EN format, EmbeddedJpeg* found);

enum ShownFrom_EN {
  kShownWholeFile,     // decoded from the file itself (JPEG, or by GDI+)
  kShownEmbeddedJpeg,  // from `jpeg`, turned by `orientation`
};

struct ShownPicture {
  ShownFrom_EN from = kShownWholeFile;
  EmbeddedJpeg jpeg;
  int orientation = 0;  // 1 to 8, or 0 for none usable; for kShownEmbeddedJpeg
};

// Raw and CR3 files with an embedded JPEG show it; every other file is
// decoded whole. The makers' previews are stored as the sensor saw the
// scene, not already upright, so the raw file's own Orientation turns them.
ShownPicture FindShownPicture(ByteSource_CL& source);
