#include "exif_segment.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace {

enum : std::uint16_t { kAscii = 2, kShort = 3, kLong = 4, kRational = 5, kUndefined = 7 };

struct Field {
  std::uint16_t tag;
  std::uint16_t type;
  std::uint32_t count;
  Bytes data;  // in the file's byte order; up to 4 bytes sit in the entry
};

class Tiff {
 public:
  explicit Tiff(bool big) : big_(big) {}
  Bytes U16(std::uint32_t v) const {
    Bytes b(2);
    Put16(b.data(), v);
    return b;
  }
  Bytes U32(std::uint32_t v) const {
    Bytes b(4);
    Put32(b.data(), v);
    return b;
  }
  void Put16(unsigned char* p, std::uint32_t v) const {
    p[big_ ? 0 : 1] = static_cast<unsigned char>(v >> 8);
    p[big_ ? 1 : 0] = static_cast<unsigned char>(v);
  }
  void Put32(unsigned char* p, std::uint32_t v) const {
    for (int i = 0; i < 4; ++i) {
      p[big_ ? i : 3 - i] = static_cast<unsigned char>(v >> (24 - 8 * i));
    }
  }
  Field Short(std::uint16_t tag, std::uint32_t v) const { return {tag, kShort, 1, U16(v)}; }
  Field Long(std::uint16_t tag, std::uint32_t v) const { return {tag, kLong, 1, U32(v)}; }
  Field Rational(std::uint16_t tag, std::uint32_t num, std::uint32_t den) const {
    Bytes b = U32(num);
    const Bytes d = U32(den);
    b.insert(b.end(), d.begin(), d.end());
    return {tag, kRational, 1, b};
  }
  Field Ascii(std::uint16_t tag, const char* text) const {
    Bytes b(text, text + std::strlen(text) + 1);
    return {tag, kAscii, static_cast<std::uint32_t>(b.size()), b};
  }
  Field Undefined(std::uint16_t tag, const char* bytes, std::uint32_t n) const {
    return {tag, kUndefined, n, Bytes(bytes, bytes + n)};
  }

  static std::uint32_t IfdSize(const std::vector<Field>& fields) {
    std::uint32_t size = 2 + 12 * static_cast<std::uint32_t>(fields.size()) + 4;
    for (const Field& f : fields) {
      if (f.data.size() > 4) size += static_cast<std::uint32_t>((f.data.size() + 1) & ~1u);
    }
    return size;
  }

  // Appends the IFD, which must start at TIFF offset `at` (out.size() - base).
  void WriteIfd(Bytes& out, std::uint32_t at, const std::vector<Field>& fields,
                std::uint32_t next) const {
    std::uint32_t dataAt = at + 2 + 12 * static_cast<std::uint32_t>(fields.size()) + 4;
    Bytes data;
    Bytes ifd = U16(static_cast<std::uint32_t>(fields.size()));
    for (const Field& f : fields) {
      Bytes entry = U16(f.tag);
      const Bytes type = U16(f.type), count = U32(f.count);
      entry.insert(entry.end(), type.begin(), type.end());
      entry.insert(entry.end(), count.begin(), count.end());
      if (f.data.size() <= 4) {
        Bytes value = f.data;
        value.resize(4, 0);
        entry.insert(entry.end(), value.begin(), value.end());
      } else {
        const Bytes offset = U32(dataAt + static_cast<std::uint32_t>(data.size()));
        entry.insert(entry.end(), offset.begin(), offset.end());
        data.insert(data.end(), f.data.begin(), f.data.end());
        if (data.size() & 1) data.push_back(0);
      }
      ifd.insert(ifd.end(), entry.begin(), entry.end());
    }
    const Bytes link = U32(next);
    ifd.insert(ifd.end(), link.begin(), link.end());
    out.insert(out.end(), ifd.begin(), ifd.end());
    out.insert(out.end(), data.begin(), data.end());
  }

 private:
  bool big_;
};

}  // namespace

Bytes BuildExifApp1(bool bigEndian, std::uint16_t orientation, std::uint32_t width,
                    std::uint32_t height, const Bytes& thumbnail) {
  const Tiff t(bigEndian);
  std::vector<Field> ifd0 = {
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
  std::vector<Field> exif = {
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
  std::vector<Field> ifd1 = {
      t.Short(0x0103, 6),
      t.Rational(0x011A, 72, 1),
      t.Rational(0x011B, 72, 1),
      t.Short(0x0128, 2),
      t.Long(0x0201, 0),  // thumbnail offset, patched below
      t.Long(0x0202, static_cast<std::uint32_t>(thumbnail.size())),
  };

  const std::uint32_t ifd0At = 8;
  const std::uint32_t exifAt = ifd0At + Tiff::IfdSize(ifd0);
  const std::uint32_t ifd1At = exifAt + Tiff::IfdSize(exif);
  const std::uint32_t thumbAt = ifd1At + Tiff::IfdSize(ifd1);
  ifd0.back().data = t.U32(exifAt);
  ifd1[4].data = t.U32(thumbAt);

  Bytes tiff = {static_cast<unsigned char>(bigEndian ? 'M' : 'I'),
                static_cast<unsigned char>(bigEndian ? 'M' : 'I')};
  const Bytes magic = t.U16(42), first = t.U32(ifd0At);
  tiff.insert(tiff.end(), magic.begin(), magic.end());
  tiff.insert(tiff.end(), first.begin(), first.end());
  t.WriteIfd(tiff, ifd0At, ifd0, ifd1At);
  t.WriteIfd(tiff, exifAt, exif, 0);
  t.WriteIfd(tiff, ifd1At, ifd1, 0);
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
