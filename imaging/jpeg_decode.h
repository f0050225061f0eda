// Decoding a JPEG photo straight into upright pixels of about the size they
// are shown at: libjpeg-turbo scales while it decodes (by eighths), which
// costs a fraction of a full decode and of its memory, and the Exif
// Orientation is then applied to the small picture. Portable: the Windows
// side only wraps the pixels in a bitmap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "decode_budget.h"

// How the picture will be drawn, which decides how small it may be decoded.
enum JpegTargetRule_EN {
  kJpegFullSize,   // every pixel of the photo
  kJpegThumbnail,  // by the thumbnail rule into width x height
  kJpegFit,        // by the fit rule inside width x height
};

struct JpegTarget {
  JpegTargetRule_EN rule = kJpegFullSize;
  int width = 0;
  int height = 0;
};

// The smallest scale, in eighths (1..8), at which a photo whose upright size
// is uprightWidth x uprightHeight still covers the part of the target it is
// drawn into, so that drawing it only ever shrinks it. 8 for kJpegFullSize,
// and 8 (never larger) when even the full size falls short.
int JpegScaleEighths(int uprightWidth, int uprightHeight, const JpegTarget& target);

struct UprightPixels {
  int width = 0;
  int height = 0;
  // width x height pixels of 4 bytes, blue, green, red, 255, rows top to
  // bottom without padding.
  std::vector<unsigned char> bgra;
  // The photo as stored, and the scale (in eighths) it was decoded at.
  int storedWidth = 0;
  int storedHeight = 0;
  int scaleEighths = 8;
  // False when the decoder had to make up for damage or an early end of the
  // data (the picture is then what could be decoded, the rest filled in).
  bool complete = true;
  // The pixels' share of the decoders' budget, given back with them.
  DecodeBudget_CL::Reservation reservation;
};

// What came of a decode. Only kNotAccepted lets another decoder try the
// bytes: a photo refused on a limit or for want of memory would cost any
// other decoder more, at full size and without limits.
enum class JpegOutcome_EN {
  kDecoded,        // a picture, complete or not
  kNotAccepted,    // no JPEG libjpeg-turbo accepts (another format, broken headers)
  kTooManyScans,   // more scans than any real photo has
  kTooMuchMemory,  // the decode at the chosen scale would need more than one photo may
  kTooManyPixels,  // the picture at the chosen scale is larger than one photo may be
  kOutOfMemory,    // memory ran out, or the decoders' budget could not give what the decode holds
};

// The limits a decode stays within; the defaults are the program's.
struct JpegLimits {
  // A damaged progressive file can hold endless tiny scans, each a pass over
  // the picture; real ones have about ten.
  int maxScans = 256;
  // Pixels of the picture at the chosen scale: a full-size decode of a
  // 32-megapixel photo, a thumbnail of a panorama of two gigapixels.
  std::uint64_t maxPixels = 1ull << 25;
  // What the decode at the chosen scale holds: the picture, and for a
  // progressive photo all its coefficients (2 bytes per pixel and component
  // at full size, whatever the scale).
  std::uint64_t maxMemory = 384ull * 1024u * 1024u;
  // Null: the budget all the program's decoders share.
  DecodeBudget_CL* budget = nullptr;
  int budgetWaitMilliseconds = DecodeBudget_CL::kWaitMilliseconds;
};

// Decodes a whole JPEG file held in memory at the scale the target needs
// and makes it upright by orientation (Exif values 1 to 8; anything else
// leaves it as stored). Handles baseline and progressive files, grayscale,
// YCbCr, RGB, CMYK and YCCK (Adobe's inverted ink values included), restart
// markers, and damaged or cut-off data as far as it can be decoded. What the
// decode holds (the bytes, the decoder's memory, the picture) is taken from
// the budget before it starts; out's pixels keep their share of it. Anything
// but kDecoded leaves out empty.
JpegOutcome_EN DecodeJpegUpright(const unsigned char* bytes, std::size_t size, int orientation,
                                 const JpegTarget& target, UprightPixels* out,
                                 const JpegLimits& limits = JpegLimits());
