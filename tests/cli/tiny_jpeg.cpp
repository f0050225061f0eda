#include "tiny_jpeg.h"

#include <cstring>

namespace {

// From a baseline encoder: JFIF APP0, quantisation table, frame header (8 x 8,
// one component), the two Huffman tables, scan header, entropy-coded data, EOI.
const unsigned char kGreyJpeg[] = {
    0xff, 0xd8, 0xff, 0xe0, 0x00, 0x10, 0x4a, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00,
    0x01, 0x00, 0x01, 0x00, 0x00, 0xff, 0xdb, 0x00, 0x43, 0x00, 0x10, 0x0b, 0x0c, 0x0e, 0x0c,
    0x0a, 0x10, 0x0e, 0x0d, 0x0e, 0x12, 0x11, 0x10, 0x13, 0x18, 0x28, 0x1a, 0x18, 0x16, 0x16,
    0x18, 0x31, 0x23, 0x25, 0x1d, 0x28, 0x3a, 0x33, 0x3d, 0x3c, 0x39, 0x33, 0x38, 0x37, 0x40,
    0x48, 0x5c, 0x4e, 0x40, 0x44, 0x57, 0x45, 0x37, 0x38, 0x50, 0x6d, 0x51, 0x57, 0x5f, 0x62,
    0x67, 0x68, 0x67, 0x3e, 0x4d, 0x71, 0x79, 0x70, 0x64, 0x78, 0x5c, 0x65, 0x67, 0x63, 0xff,
    0xc0, 0x00, 0x0b, 0x08, 0x00, 0x08, 0x00, 0x08, 0x01, 0x01, 0x11, 0x00, 0xff, 0xc4, 0x00,
    0x14, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0xff, 0xc4, 0x00, 0x14, 0x10, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xda, 0x00, 0x08,
    0x01, 0x01, 0x00, 0x00, 0x3f, 0x00, 0x3f, 0xff, 0xd9};
const std::size_t kApp0End = 20;  // SOI and the JFIF segment

class TiffWriter {
 public:
  explicit TiffWriter(bool bigEndian) : big_(bigEndian) {}
  void U16(unsigned v) {
    if (big_) {
      out.push_back(static_cast<unsigned char>(v >> 8));
      out.push_back(static_cast<unsigned char>(v));
    } else {
      out.push_back(static_cast<unsigned char>(v));
      out.push_back(static_cast<unsigned char>(v >> 8));
    }
  }
  void U32(std::uint32_t v) {
    if (big_) {
      U16(v >> 16);
      U16(v & 0xFFFF);
    } else {
      U16(v & 0xFFFF);
      U16(v >> 16);
    }
  }
  Bytes out;

 private:
  bool big_;
};

}  // namespace

TinyJpeg MakeTinyJpeg(bool bigEndian, int orientation) {
  static const char kText[] = "Snapvane cli";  // 13 bytes with its NUL
  const unsigned entries = orientation < 0 ? 1 : 2;
  const std::uint32_t textAt = 8 + 2 + 12 * entries + 4;

  TiffWriter tiff(bigEndian);
  tiff.out.push_back(bigEndian ? 'M' : 'I');
  tiff.out.push_back(bigEndian ? 'M' : 'I');
  tiff.U16(42);
  tiff.U32(8);
  tiff.U16(entries);
  tiff.U16(270);  // ImageDescription, ASCII
  tiff.U16(2);
  tiff.U32(sizeof kText);
  tiff.U32(textAt);
  std::uint32_t valueInTiff = 0;
  if (orientation >= 0) {
    tiff.U16(274);
    tiff.U16(3);
    tiff.U32(1);
    valueInTiff = static_cast<std::uint32_t>(tiff.out.size());
    tiff.U16(static_cast<unsigned>(orientation));
    tiff.U16(0);
  }
  tiff.U32(0);  // no IFD1
  tiff.out.insert(tiff.out.end(), kText, kText + sizeof kText);

  TinyJpeg jpeg;
  Bytes& b = jpeg.bytes;
  b = {0xFF, 0xD8, 0xFF, 0xE1};
  const std::size_t length = 2 + 6 + tiff.out.size();
  b.push_back(static_cast<unsigned char>(length >> 8));
  b.push_back(static_cast<unsigned char>(length));
  const unsigned char exif[] = {'E', 'x', 'i', 'f', 0, 0};
  b.insert(b.end(), exif, exif + sizeof exif);
  const std::uint32_t tiffAt = static_cast<std::uint32_t>(b.size());
  b.insert(b.end(), tiff.out.begin(), tiff.out.end());
  b.insert(b.end(), kGreyJpeg + kApp0End, kGreyJpeg + sizeof kGreyJpeg);
  if (orientation >= 0) jpeg.valueAt = tiffAt + valueInTiff;
  return jpeg;
}

Bytes PlainTinyJpeg() { return Bytes(kGreyJpeg, kGreyJpeg + sizeof kGreyJpeg); }
