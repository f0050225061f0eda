// Decoding a JPEG photo straight into upright pixels of about the size they
// are shown at: libjpeg-turbo scales while it decodes (by eighths), which
// costs a fraction of a full decode and of its memory, and the Exif
// Orientation is then applied to the small picture. Portable: the Windows
// side only wraps the pixels in a bitmap.
#pragma once

#include <cstddef>
#include <vector>

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
};

// Decodes a whole JPEG file held in memory at the scale the target needs
// and makes it upright by orientation (Exif values 1 to 8; anything else
// leaves it as stored). Handles baseline and progressive files, grayscale,
// YCbCr, RGB, CMYK and YCCK (Adobe's inverted ink values included), restart
// markers, and damaged or cut-off data as far as it can be decoded. False,
// with out emptied, when the bytes are no JPEG the decoder accepts, when the
// picture is unreasonably large, or when memory runs out.
bool DecodeJpegUpright(const unsigned char* bytes, std::size_t size, int orientation, const JpegTarget& target,
                       UprightPixels* out);
