#include "tiff_builder.h"

#include "byte_order.h"

void Put16(Bytes& b, std::uint16_t v, bool bigEndian) {
  unsigned char t[2];
  Store16(t, v, bigEndian);
  b.insert(b.end(), t, t + 2);
}

void Put32(Bytes& b, std::uint32_t v, bool bigEndian) {
  unsigned char t[4];
  Store32(t, v, bigEndian);
  b.insert(b.end(), t, t + 4);
}

void PutEntry(Bytes& b, const TestEntry& e, bool bigEndian) {
  Put16(b, e.tag, bigEndian);
  Put16(b, e.type, bigEndian);
  Put32(b, e.count, bigEndian);
  if (e.type == 3 && e.count == 1) {
    Put16(b, static_cast<std::uint16_t>(e.value), bigEndian);
    Put16(b, 0, bigEndian);
  } else {
    Put32(b, e.value, bigEndian);
  }
}

std::uint32_t IfdSize(const std::vector<TestField>& fields) {
  std::uint32_t size = 2 + 12 * static_cast<std::uint32_t>(fields.size()) + 4;
  for (const TestField& f : fields) {
    if (f.data.size() > 4) size += static_cast<std::uint32_t>((f.data.size() + 1) & ~std::size_t(1));
  }
  return size;
}

void PutIfd(Bytes& b, std::uint32_t at, const std::vector<TestField>& fields, std::uint32_t next,
            bool bigEndian) {
  Bytes behind;
  const std::uint32_t behindAt = at + 2 + 12 * static_cast<std::uint32_t>(fields.size()) + 4;
  Put16(b, static_cast<std::uint16_t>(fields.size()), bigEndian);
  for (const TestField& f : fields) {
    Put16(b, f.tag, bigEndian);
    Put16(b, f.type, bigEndian);
    Put32(b, f.count, bigEndian);
    if (f.data.size() <= 4) {
      Bytes value = f.data;
      value.resize(4, 0);
      b.insert(b.end(), value.begin(), value.end());
    } else {
      Put32(b, behindAt + static_cast<std::uint32_t>(behind.size()), bigEndian);
      behind.insert(behind.end(), f.data.begin(), f.data.end());
      if (behind.size() & 1) behind.push_back(0);
    }
  }
  Put32(b, next, bigEndian);
  b.insert(b.end(), behind.begin(), behind.end());
}

namespace {

void PutChunk(Bytes& png, const char* type, const Bytes& data) {
  Put32(png, static_cast<std::uint32_t>(data.size()), true);
  const std::size_t typeAt = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  Put32(png, ReferenceCrc32(&png[typeAt], 4 + data.size()), true);
}

}  // namespace

Bytes TiffStructure(bool bigEndian, const std::vector<TestEntry>& ifd0, const std::vector<TestEntry>& exifIfd,
                    std::uint16_t magic) {
  Bytes tiff;
  tiff.push_back(bigEndian ? 'M' : 'I');
  tiff.push_back(bigEndian ? 'M' : 'I');
  Put16(tiff, magic, bigEndian);
  Put32(tiff, 8, bigEndian);
  std::vector<TestEntry> first = ifd0;
  const std::uint32_t ifd0Count = static_cast<std::uint32_t>(first.size() + (exifIfd.empty() ? 0 : 1));
  const std::uint32_t subAt = 8 + 2 + 12 * ifd0Count + 4;
  if (!exifIfd.empty()) first.push_back(TestEntry{34665, 4, 1, subAt});
  Put16(tiff, static_cast<std::uint16_t>(first.size()), bigEndian);
  for (const TestEntry& e : first) PutEntry(tiff, e, bigEndian);
  Put32(tiff, 0, bigEndian);
  if (!exifIfd.empty()) {
    Put16(tiff, static_cast<std::uint16_t>(exifIfd.size()), bigEndian);
    for (const TestEntry& e : exifIfd) PutEntry(tiff, e, bigEndian);
    Put32(tiff, 0, bigEndian);
  }
  return tiff;
}

Bytes TiffFile(bool bigEndian, const std::vector<TestEntry>& ifd0, const std::vector<TestEntry>& exifIfd,
               std::uint16_t magic) {
  Bytes file = TiffStructure(bigEndian, ifd0, exifIfd, magic);
  for (unsigned i = 0; i < 64; ++i) file.push_back(static_cast<unsigned char>(i * 37 + 11));
  return file;
}

Bytes PngFile(const Bytes* exif, std::uint32_t* exifDataAt) {
  Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  PutChunk(png, "IHDR", Bytes{0, 0, 0, 1, 0, 0, 0, 1, 8, 0, 0, 0, 0});
  if (exif) {
    if (exifDataAt) *exifDataAt = static_cast<std::uint32_t>(png.size() + 8);
    PutChunk(png, "eXIf", *exif);
  }
  PutChunk(png, "IDAT", Bytes{0x78, 0x9C, 0x63, 0x60, 0x00, 0x00, 0x00, 0x02, 0x00, 0x01});
  PutChunk(png, "IEND", Bytes());
  return png;
}

std::uint32_t ReferenceCrc32(const unsigned char* data, std::size_t n) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < n; ++i) {
    c ^= data[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
  }
  return ~c;
}

// An ISO box: 32-bit size, type, contents.
Bytes Box(const char* type, const Bytes& contents) {
  Bytes box;
  // Reserved first: GCC 12's overflow warning misreads an insert into an
  // empty vector once inlined.
  box.reserve(contents.size() + 8);
  Put32(box, static_cast<std::uint32_t>(contents.size() + 8), true);
  box.insert(box.end(), type, type + 4);
  box.insert(box.end(), contents.begin(), contents.end());
  return box;
}

Bytes Joined(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}
