#include "jpeg_builder.h"

#include "byte_order.h"
#include "tiff_builder.h"

JpegBuilder& JpegBuilder::Soi() {
  data_.push_back(0xFF);
  data_.push_back(0xD8);
  return *this;
}

JpegBuilder& JpegBuilder::Segment(std::uint16_t marker, const Bytes& payload) {
  Put16(data_, marker, true);
  Put16(data_, static_cast<std::uint16_t>(payload.size() + 2), true);
  data_.insert(data_.end(), payload.begin(), payload.end());
  return *this;
}

JpegBuilder& JpegBuilder::App0Jfif() {
  const Bytes jfif = {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
  return Segment(0xFFE0, jfif);
}

JpegBuilder& JpegBuilder::App1Xmp(const std::string& packet) {
  const std::string id = "http://ns.adobe.com/xap/1.0/";
  Bytes payload(id.begin(), id.end());
  payload.push_back(0);
  payload.insert(payload.end(), packet.begin(), packet.end());
  return Segment(0xFFE1, payload);
}

JpegBuilder& JpegBuilder::App1Exif(bool bigEndian, const std::vector<TestEntry>& ifd0,
                                   const std::vector<TestEntry>& exifIfd, std::uint32_t* tiffAt) {
  const Bytes tiff = TiffStructure(bigEndian, ifd0, exifIfd);
  Bytes payload = {'E', 'x', 'i', 'f', 0, 0};
  payload.insert(payload.end(), tiff.begin(), tiff.end());
  if (tiffAt) *tiffAt = static_cast<std::uint32_t>(data_.size() + 10);
  return Segment(0xFFE1, payload);
}

JpegBuilder& JpegBuilder::App1ExifThumbnail(bool bigEndian, const std::vector<TestEntry>& ifd0,
                                            const Bytes& thumbnail) {
  Bytes tiff;
  tiff.push_back(bigEndian ? 'M' : 'I');
  tiff.push_back(bigEndian ? 'M' : 'I');
  Put16(tiff, 42, bigEndian);
  Put32(tiff, 8, bigEndian);
  Put16(tiff, static_cast<std::uint16_t>(ifd0.size()), bigEndian);
  for (const TestEntry& e : ifd0) PutEntry(tiff, e, bigEndian);
  const std::uint32_t ifd1At = static_cast<std::uint32_t>(tiff.size() + 4);
  Put32(tiff, ifd1At, bigEndian);
  const std::uint32_t thumbnailAt = ifd1At + 2 + 3 * 12 + 4;
  Put16(tiff, 3, bigEndian);
  PutEntry(tiff, TestEntry{259, 3, 1, 6}, bigEndian);
  PutEntry(tiff, TestEntry{513, 4, 1, thumbnailAt}, bigEndian);
  PutEntry(tiff, TestEntry{514, 4, 1, static_cast<std::uint32_t>(thumbnail.size())}, bigEndian);
  Put32(tiff, 0, bigEndian);
  tiff.insert(tiff.end(), thumbnail.begin(), thumbnail.end());
  Bytes payload = {'E', 'x', 'i', 'f', 0, 0};
  payload.insert(payload.end(), tiff.begin(), tiff.end());
  return Segment(0xFFE1, payload);
}

JpegBuilder& JpegBuilder::Raw(const Bytes& bytes) {
  data_.insert(data_.end(), bytes.begin(), bytes.end());
  return *this;
}

JpegBuilder& JpegBuilder::Sos() {
  const Bytes scan = {0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00,
                      0x12, 0x34, 0x56, 0xFF, 0xD9};
  return Raw(scan);
}

Bytes MinimalExifJpeg() {
  const Bytes bytes = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x22, 0x45, 0x78, 0x69, 0x66, 0x00, 0x00,
                       0x49, 0x49, 0x2A, 0x00, 0x08, 0x00, 0x00, 0x00, 0x01, 0x00, 0x12, 0x01,
                       0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00, 0x00, 0x00,
                       0x00, 0x00, 0xFF, 0xDA};
  return bytes;
}

Bytes OrientationJpeg(bool bigEndian, std::uint32_t value, std::uint16_t type, std::uint32_t count) {
  JpegBuilder b;
  b.Soi().App1Exif(bigEndian, {TestEntry{274, type, count, value}}).Sos();
  return b.Data();
}

namespace {

const std::size_t kNoScan = static_cast<std::size_t>(-1);

// jpeg's bytes after SOI and its application segments: where a new Exif
// block goes in front. kNoScan when jpeg has nothing after them.
std::size_t AfterApplicationSegments(const Bytes& jpeg) {
  std::size_t at = 2;
  while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] >= 0xE0 && jpeg[at + 1] <= 0xEF) {
    at += 2 + (static_cast<std::size_t>(jpeg[at + 2]) << 8 | jpeg[at + 3]);
  }
  return at < jpeg.size() ? at : kNoScan;
}

Bytes Rest(const Bytes& jpeg, std::size_t at) { return Bytes(jpeg.begin() + static_cast<std::ptrdiff_t>(at), jpeg.end()); }

}  // namespace

Bytes WithExifOrientation(const Bytes& jpeg, std::uint16_t orientation, bool bigEndian) {
  const std::size_t at = AfterApplicationSegments(jpeg);
  if (at == kNoScan) return Bytes();
  JpegBuilder b;
  b.Soi();
  if (orientation != 0) b.App1Exif(bigEndian, {TestEntry{274, 3, 1, orientation}});
  b.Raw(Rest(jpeg, at));
  return b.Data();
}

Bytes WithExifThumbnail(const Bytes& jpeg, std::uint16_t orientation, const Bytes& thumbnail) {
  const std::size_t at = AfterApplicationSegments(jpeg);
  if (at == kNoScan) return Bytes();
  std::vector<TestEntry> ifd0;
  if (orientation != 0) ifd0.push_back(TestEntry{274, 3, 1, orientation});
  JpegBuilder b;
  b.Soi().App1ExifThumbnail(false, ifd0, thumbnail);
  b.Raw(Rest(jpeg, at));
  return b.Data();
}
