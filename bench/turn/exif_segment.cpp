#include "exif_segment.h"

#include <cstring>
#include <stdexcept>
#include <string>

#include "tiff_builder.h"

namespace {

enum : std::uint16_t { kAscii = 2, kShort = 3, kLong = 4, kRational = 5, kUndefined = 7 };

// The entries of a camera's IFDs, their values in one byte order.
class Fields {
 public:
  explicit Fields(bool big) : big_(big) {}
  Bytes U32(std::uint32_t v) const {
    Bytes b;
    Put32(b, v, big_);
    return b;
  }
  TestField Short(std::uint16_t tag, std::uint32_t v) const {
    Bytes b;
    Put16(b, static_cast<std::uint16_t>(v), big_);
    return {tag, kShort, 1, b};
  }
  TestField Long(std::uint16_t tag, std::uint32_t v) const { return {tag, kLong, 1, U32(v)}; }
  TestField Rational(std::uint16_t tag, std::uint32_t num, std::uint32_t den) const {
    Bytes b = U32(num);
    Put32(b, den, big_);
    return {tag, kRational, 1, b};
  }
  TestField Ascii(std::uint16_t tag, const char* text) const {
    Bytes b(text, text + std::strlen(text) + 1);
    return {tag, kAscii, static_cast<std::uint32_t>(b.size()), b};
  }
  TestField Undefined(std::uint16_t tag, const char* bytes, std::uint32_t n) const {
    return {tag, kUndefined, n, Bytes(bytes, bytes + n)};
  }

 private:
  bool big_;
};

}  // namespace

Bytes BuildExifApp1(bool bigEndian, std::uint16_t orientation, std::uint32_t width,
                    std::uint32_t height, const Bytes& thumbnail) {
  const Fields t(bigEndian);
  std::vector<TestField> ifd0 = {
      t.Ascii(0x010F, "Snapvane Bench"),
      t.Ascii(0x0110, "Synthetic Camera"),
      t.Short(0x0112, orientation),
      t.Rational(0x011A, 72, 1),
      t.Rational(0x011B, 72, 1),
      t.Short(0x0128, 2),
      t.Ascii(0x0131, "bench_turn"),
      t.Ascii(0x0132, "2024:05:01 12:00:00"),
      t.Short(0x0213, 1),
      t.Long(0x8769, 0),  // Exif sub-IFD, patched below
  };
  std::vector<TestField> exif = {
      t.Rational(0x829A, 1, 125),
      t.Rational(0x829D, 28, 10),
      t.Short(0x8827, 200),
      t.Undefined(0x9000, "0231", 4),
      t.Ascii(0x9003, "2024:05:01 12:00:00"),
      t.Ascii(0x9004, "2024:05:01 12:00:00"),
      t.Undefined(0x9101, "\1\2\3\0", 4),
      t.Rational(0x920A, 50, 1),
      t.Undefined(0xA000, "0100", 4),
      t.Short(0xA001, 1),
      t.Long(0xA002, width),
      t.Long(0xA003, height),
  };
  std::vector<TestField> ifd1 = {
      t.Short(0x0103, 6),
      t.Rational(0x011A, 72, 1),
      t.Rational(0x011B, 72, 1),
      t.Short(0x0128, 2),
      t.Long(0x0201, 0),  // thumbnail offset, patched below
      t.Long(0x0202, static_cast<std::uint32_t>(thumbnail.size())),
  };

  const std::uint32_t ifd0At = 8;
  const std::uint32_t exifAt = ifd0At + IfdSize(ifd0);
  const std::uint32_t ifd1At = exifAt + IfdSize(exif);
  const std::uint32_t thumbAt = ifd1At + IfdSize(ifd1);
  ifd0.back().data = t.U32(exifAt);
  ifd1[4].data = t.U32(thumbAt);

  Bytes tiff = {static_cast<unsigned char>(bigEndian ? 'M' : 'I'),
                static_cast<unsigned char>(bigEndian ? 'M' : 'I')};
  Put16(tiff, 42, bigEndian);
  Put32(tiff, ifd0At, bigEndian);
  PutIfd(tiff, ifd0At, ifd0, ifd1At, bigEndian);
  PutIfd(tiff, exifAt, exif, 0, bigEndian);
  PutIfd(tiff, ifd1At, ifd1, 0, bigEndian);
  tiff.insert(tiff.end(), thumbnail.begin(), thumbnail.end());

  const std::size_t length = 2 + 6 + tiff.size();
  if (length > 0xFFFF) throw std::runtime_error("Exif segment too large: thumbnail too big");
  const unsigned char head[] = {0xFF, 0xE1, static_cast<unsigned char>(length >> 8),
                                static_cast<unsigned char>(length), 'E', 'x', 'i', 'f', 0, 0};
  // Sized once and filled: g++ 12 at -O3 warns falsely about inserting
  // into a vector that starts this small.
  Bytes app1(sizeof head + tiff.size());
  std::memcpy(app1.data(), head, sizeof head);
  std::memcpy(app1.data() + sizeof head, tiff.data(), tiff.size());
  return app1;
}
